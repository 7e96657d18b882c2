#pragma once

// Owns one WinInet handle (session, connection or request) and closes it.

#include <windows.h>
#include <wininet.h>

#include "framework/Handles.h"

struct WinInetHandleTraits {
    using Type = HINTERNET;
    static Type Invalid() { return nullptr; }
    static void Close(Type handle) { ::InternetCloseHandle(handle); }
};
using InternetHandle = CUniqueHandle<WinInetHandleTraits>;
