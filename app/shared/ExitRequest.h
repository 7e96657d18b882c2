#pragma once

// What installs, updates or removes the programs asks of a running copy: end
// as the exit command does (the installer broadcasts this registered message
// by the same name, then waits for the programs' mutexes to go).

#include <windows.h>

inline const UINT g_nExitRequest = ::RegisterWindowMessageA("stel7_exit");
