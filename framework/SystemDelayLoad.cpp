// The loader of the program's delay-loaded system libraries (see
// cmake/DelayLoad.cmake): mingw's delay-load helper asks this hook first, and
// the library comes from the system folder only. A DLL of the same name in the
// program's folder or the current folder is never loaded; where the system
// folder has none, the call fails as the helper fails for a missing library,
// instead of the helper searching those folders next.
#include <windows.h>

#include <delayimp.h>

namespace {

FARPROC WINAPI LoadFromSystemFolder(unsigned nNotify, PDelayLoadInfo pInfo)
{
    if (nNotify != dliNotePreLoadLibrary) return nullptr;
    const HMODULE hModule = ::LoadLibraryExA(pInfo->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!hModule) {
        pInfo->dwLastError = ::GetLastError();
        ULONG_PTR arguments[] = {reinterpret_cast<ULONG_PTR>(pInfo)};
        ::RaiseException(VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND), 0, 1, arguments);
    }
    return reinterpret_cast<FARPROC>(hModule);
}

}  // namespace

// Declared extern "C" by <delayimp.h>.
PfnDliHook __pfnDliNotifyHook2 = LoadFromSystemFolder;
