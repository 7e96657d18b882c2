#pragma once

// The settings store: one string value of the current user's registry per
// call. Each call opens the key, uses it and closes it again. Reading creates
// a missing key but never a value; a missing, unreadable or over-long value
// reads as the caller's default. Both programs use these two operations.

#include <windows.h>

// Returns 1 when the value was read into pszBuffer, 0 when pszBuffer holds the default.
int ReadRegistryString(HKEY hRoot, const char* pszKey, const char* pszValueName, const char* pszDefault,
                       char* pszBuffer, DWORD dwBufferSize);

// Returns 1 when the text was stored as REG_SZ, else 0.
int WriteRegistryString(HKEY hRoot, const char* pszKey, const char* pszValueName, const char* pszText);

inline constexpr const char kRegConfigKey[] = "Software\\stel7\\config";
inline constexpr const char kRegUpdateKey[] = "Software\\stel7\\update";
