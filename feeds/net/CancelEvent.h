#pragma once

// A one-way signal that ends the network layer's waits at once (the `cancel`
// of RunWithDeadline): a window that closes sets it, so that its loads stop
// waiting on the server, return promptly and report nothing.

#include <windows.h>

#include <atomic>

#include "framework/Handles.h"

class CCancelEvent {
public:
    CCancelEvent() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    CCancelEvent(const CCancelEvent&) = delete;
    CCancelEvent& operator=(const CCancelEvent&) = delete;

    void Set()
    {
        m_bSet = true;
        if (m_event) ::SetEvent(m_event.Get());
    }
    bool IsSet() const { return m_bSet; }
    HANDLE Handle() const { return m_event.Get(); }

private:
    CKernelHandle m_event;
    std::atomic<bool> m_bSet{false};
};
