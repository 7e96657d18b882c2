#pragma once

#include <windows.h>

// The key filter of the program's secondary windows: a key-down of Escape or
// Enter is consumed, so neither closes the window.
inline bool IsDialogCloseKey(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN);
}
