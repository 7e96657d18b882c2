#pragma once

// A window that a worker thread may post to until the window lets go: a post
// after Detach is dropped, never sent to a handle that may name another
// window by then. Share it between the window and the worker (shared_ptr),
// and detach it before the window is destroyed.

#include <windows.h>

#include <mutex>

class CPostTarget {
public:
    explicit CPostTarget(HWND hWnd) : m_hWnd(hWnd) {}
    CPostTarget(const CPostTarget&) = delete;
    CPostTarget& operator=(const CPostTarget&) = delete;

    // False when detached or the post failed.
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void Detach();

private:
    std::mutex m_lock;
    HWND m_hWnd;
};
