#include "app/shared/Registry.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/DiagnosticLog.h"

namespace {

void CopyDefault(const char* pszDefault, char* pszBuffer, DWORD dwBufferSize)
{
    if (!pszBuffer || dwBufferSize == 0) return;
    const char* text = pszDefault ? pszDefault : "";
    const size_t length = std::min<size_t>(std::strlen(text), dwBufferSize - 1);
    std::memcpy(pszBuffer, text, length);
    pszBuffer[length] = '\0';
}

void LogWriteFailure(const char* pszKey, const char* pszValueName, LONG status)
{
    LogDiagnostic(std::string("registry write ") + (pszKey ? pszKey : "") + "\\" + (pszValueName ? pszValueName : "") +
               ": error " + std::to_string(status));
}

}  // namespace

int ReadRegistryString(HKEY hRoot, const char* pszKey, const char* pszValueName, const char* pszDefault,
                       char* pszBuffer, DWORD dwBufferSize)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(hRoot, pszKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS) {
        CopyDefault(pszDefault, pszBuffer, dwBufferSize);
        return 0;
    }
    DWORD dwType = 0;
    DWORD dwSize = dwBufferSize;
    const LONG status =
        ::RegQueryValueExA(hKey, pszValueName, nullptr, &dwType, reinterpret_cast<BYTE*>(pszBuffer), &dwSize);
    ::RegCloseKey(hKey);
    // Only a text counts: another type, or a text that fills the whole buffer
    // without its terminating zero, reads as the default.
    const bool isText = dwType == REG_SZ || dwType == REG_EXPAND_SZ;
    if (status != ERROR_SUCCESS || !isText || !pszBuffer || dwSize > dwBufferSize) {
        CopyDefault(pszDefault, pszBuffer, dwBufferSize);
        return 0;
    }
    if (std::memchr(pszBuffer, '\0', dwSize) == nullptr) {
        if (dwSize >= dwBufferSize) {
            CopyDefault(pszDefault, pszBuffer, dwBufferSize);
            return 0;
        }
        pszBuffer[dwSize] = '\0';
    }
    return 1;
}

int WriteRegistryString(HKEY hRoot, const char* pszKey, const char* pszValueName, const char* pszText)
{
    HKEY hKey = nullptr;
    const LONG opened =
        ::RegCreateKeyExA(hRoot, pszKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey, nullptr);
    if (opened != ERROR_SUCCESS) {
        LogWriteFailure(pszKey, pszValueName, opened);
        return 0;
    }
    const char* text = pszText ? pszText : "";
    const LONG status = ::RegSetValueExA(hKey, pszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>(std::strlen(text) + 1));
    ::RegCloseKey(hKey);
    if (status != ERROR_SUCCESS) LogWriteFailure(pszKey, pszValueName, status);
    return status == ERROR_SUCCESS ? 1 : 0;
}
