// The benchmark's baseline: a plain dialog whose list view holds 30 rows filled
// at start, with no network. Each word of the command line first loads one more
// piece, a DLL by name or a COM class by ProgID, so that the benchmark can
// weigh what that piece adds to the working set.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <sstream>
#include <string>

namespace {

const int kListId = 1000;
const int kRows = 30;

// Reached through LoadLibrary so that the baseline itself loads no COM.
void CreateComObject(const std::string& progId)
{
    const HMODULE ole = ::LoadLibraryA("ole32.dll");
    if (!ole) return;
    const auto coInitializeEx = reinterpret_cast<decltype(&::CoInitializeEx)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(ole, "CoInitializeEx")));
    const auto clsidFromProgId = reinterpret_cast<decltype(&::CLSIDFromProgID)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(ole, "CLSIDFromProgID")));
    const auto coCreateInstance = reinterpret_cast<decltype(&::CoCreateInstance)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(ole, "CoCreateInstance")));
    if (!coInitializeEx || !clsidFromProgId || !coCreateInstance) return;
    coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring wide(progId.begin(), progId.end());
    CLSID clsid = {};
    IUnknown* object = nullptr;
    // Kept until the process ends: its weight is what is measured.
    if (SUCCEEDED(clsidFromProgId(wide.c_str(), &clsid)))
        coCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
}

void FillList(HWND hList)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 600;
    column.pszText = const_cast<char*>("row");
    ::SendMessageA(hList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < kRows; ++i) {
        std::string text = "row " + std::to_string(i + 1);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = &text[0];
        ::SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        FillList(::GetDlgItem(hDlg, kListId));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCommandLine, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::istringstream pieces(pszCommandLine);
    for (std::string piece; pieces >> piece;) {
        const bool isDll = piece.size() > 4 && piece.compare(piece.size() - 4, 4, ".dll") == 0;
        if (isDll)
            ::LoadLibraryA(piece.c_str());
        else
            CreateComObject(piece);
    }
    return static_cast<int>(::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(1), nullptr, &DialogProc, 0));
}
