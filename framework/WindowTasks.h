#pragma once

// Work handed to a window's thread: any thread queues a function, and the
// window runs it on its own thread when the message posted with it arrives.
// Nothing here waits: a post never blocks on the window, and the window never
// blocks on the poster. Once detached, queued and later functions are dropped
// unrun, so nothing runs against a window that is going.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

class CWindowTasks {
public:
    // Functions are run when `hWnd` receives `nMessage` and calls RunPending.
    CWindowTasks(HWND hWnd, UINT nMessage) : m_hWnd(hWnd), m_nMessage(nMessage) {}
    CWindowTasks(const CWindowTasks&) = delete;
    CWindowTasks& operator=(const CWindowTasks&) = delete;

    // Any thread. False, with `task` dropped, once detached or when the
    // window's queue refused the message.
    bool Post(std::function<void()> task);
    // The window's thread: runs the functions queued so far, oldest first,
    // one at a time, so a function that runs a modal loop may be followed
    // by the next from inside that loop.
    void RunPending();
    // The window's thread, before the window goes.
    void Detach();

private:
    std::mutex m_lock;
    HWND m_hWnd;
    UINT m_nMessage;
    std::deque<std::function<void()>> m_tasks;
};
