#include "tests/win/support/GuiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace {

// One entry of Wine's GDI handle table: its fields are 64 bits wide in both
// builds; an entry in use has a type.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
constexpr int kGdiHandles = 0x10000;
// Where the PEB holds the table's address.
constexpr size_t kGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != ::GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(lParam);
    // Every descendant, however deep.
    ::EnumChildWindows(hWnd, &CountChild, lParam);
    return TRUE;
}

}  // namespace

int LiveGdiObjects()
{
    PROCESS_BASIC_INFORMATION info = {};
    if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return -1;
    const auto* pPeb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const auto* pTable = *reinterpret_cast<const GdiHandleEntry* const*>(pPeb + kGdiTableOffset);
    if (!pTable) return -1;
    int count = 0;
    for (int i = 0; i < kGdiHandles; ++i) count += pTable[i].type != 0;
    return count;
}

int ProcessWindows()
{
    int count = 0;
    ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND hWnd = nullptr; (hWnd = ::FindWindowExA(HWND_MESSAGE, hWnd, nullptr, nullptr)) != nullptr;)
        CountWindow(hWnd, reinterpret_cast<LPARAM>(&count));
    return count;
}
