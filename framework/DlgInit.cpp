#include "framework/DlgInit.h"

#include "core/DlgInit.h"
#include "framework/WinApp.h"

namespace {

const WORD kRtDlgInit = 240;

}  // namespace

void ExecuteDlgInit(HWND hDlg, UINT nIDTemplate)
{
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(kRtDlgInit));
    if (!hResource) return;
    const DWORD size = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const void* pData = hData ? ::LockResource(hData) : nullptr;
    if (!pData) return;
    // Resources are mapped with the module and never freed.
    for (const core::DlgInitItem& item : core::ParseDlgInit(static_cast<const unsigned char*>(pData), size)) {
        ::SendDlgItemMessageA(hDlg, static_cast<int>(item.controlId), item.message, 0,
                              reinterpret_cast<LPARAM>(item.text.c_str()));
    }
}
