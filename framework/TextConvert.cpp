#include "framework/TextConvert.h"

#include <climits>

std::wstring CodePageToWide(const std::string& text, UINT nCodePage)
{
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(nCodePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(nCodePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string WideToCodePage(const wchar_t* pText, size_t nLength, UINT nCodePage)
{
    if (!pText || nLength == 0 || nLength > INT_MAX) return std::string();
    const int size = static_cast<int>(nLength);
    const int length = ::WideCharToMultiByte(nCodePage, 0, pText, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(nCodePage, 0, pText, size, &narrow[0], length, nullptr, nullptr);
    return narrow;
}
