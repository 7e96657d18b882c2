#pragma once

// A one-way signal that ends the network layer's waits at once (the `cancel`
// of RunWithDeadline): a window that closes sets it, so that its loads stop
// waiting on the server, return promptly and report nothing.

#include <windows.h>

#include <atomic>

class CCancelEvent {
public:
    CCancelEvent() : m_hEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~CCancelEvent()
    {
        if (m_hEvent) ::CloseHandle(m_hEvent);
    }
    CCancelEvent(const CCancelEvent&) = delete;
    CCancelEvent& operator=(const CCancelEvent&) = delete;

    void Set()
    {
        m_bSet = true;
        if (m_hEvent) ::SetEvent(m_hEvent);
    }
    bool IsSet() const { return m_bSet; }
    HANDLE Handle() const { return m_hEvent; }

private:
    HANDLE m_hEvent;
    std::atomic<bool> m_bSet{false};
};
