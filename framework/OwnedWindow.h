#pragma once

// A modeless window its owner keeps by pointer: the window goes first, then
// the object, and the pointer is cleared, so no message ever reaches a
// half-destroyed object and no one reads a deleted one. A window already
// gone (closed by the user, destroyed elsewhere) leaves just the object.

#include <windows.h>

template <class TWnd>
void DestroyOwned(TWnd*& pWnd)
{
    if (!pWnd) return;
    if (::IsWindow(pWnd->m_hWnd)) pWnd->DestroyWindow();
    delete pWnd;
    pWnd = nullptr;
}
