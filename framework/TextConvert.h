#pragma once

// Conversions at the program's edges: its 8-bit text (the ANSI code page,
// CP949 for its users) to and from the platform's wide strings, and wide
// strings to UTF-8. The platform's default conversion throughout, so a
// character outside the code page becomes its default character.

#include <windows.h>

#include <string>

std::wstring CodePageToWide(const std::string& text, UINT nCodePage = CP_ACP);
std::string WideToCodePage(const wchar_t* pText, size_t nLength, UINT nCodePage = CP_ACP);
