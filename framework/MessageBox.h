#pragma once

// Every message box of the program goes through one replaceable function. In
// the product it is the platform's box; tests install a handler that records
// the box and answers it.

#include <windows.h>

using MessageBoxHandler = int (*)(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);

// Installs a handler (null restores the platform's box); returns the previous one.
MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler pfnHandler);

int AfxShowMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);
