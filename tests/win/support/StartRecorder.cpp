// Stands in for a program that another one starts (the main program the agent
// launches, an updater): it records that it started, under its own file name,
// in HKCU\Software\stel7test\started, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH] = {};
    const DWORD dwLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (dwLength == 0 || dwLength >= MAX_PATH) return 1;
    const char* pszName = szPath;
    for (const char* p = szPath; *p; ++p) {
        if (*p == '\\') pszName = p + 1;
    }
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\stel7test\\started", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    ::RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(szPath), dwLength + 1);
    ::RegCloseKey(hKey);
    return 0;
}
