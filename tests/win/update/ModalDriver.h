#pragma once

// How a test acts inside a modal window's loop, which blocks the test's own
// code: a step runs on this thread every 50 ms while any message loop runs on
// it, until the step returns true. A step that opens a nested loop is not
// entered again from there.

#include <windows.h>

#include <functional>

class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> step);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool Done() const { return m_bDone; }

private:
    static void CALLBACK OnTimer(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);

    std::function<bool()> m_step;
    UINT_PTR m_nTimer = 0;
    bool m_bInStep = false;
    bool m_bDone = false;
};

// The update window open on this thread, or null.
HWND FindUpdateWindow();
