// The updater the stand-in serves to the tests and the demo: a real program
// that notes its start (its own path, as the value "started" under
// HKCU\Software\stel7test\updater) and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\stel7test\\updater", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return 1;
    const LONG stored =
        ::RegSetValueExA(hKey, "started", 0, REG_SZ, reinterpret_cast<const BYTE*>(szPath), length + 1);
    ::RegCloseKey(hKey);
    return stored == ERROR_SUCCESS ? 0 : 1;
}
