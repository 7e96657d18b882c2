#include "update/ToastDlg.h"

#include "core/Geometry.h"

namespace {

const UINT_PTR kHideTimer = 1;
const UINT kHideAfterMs = 15000;

}  // namespace

const MessageMap* CToastDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapTimer<&CToastDlg::OnTimer>(),
        MapSysCommand<&CToastDlg::OnSysCommand>(),
    };
    static const MessageMap map = {CPromotionDlg::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CToastDlg::OnInitDialog()
{
    CPromotionDlg::OnInitDialog();
    RECT rcWork = {};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0)) {
        rcWork = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    const core::Rect rc = core::ToastRect({rcWork.left, rcWork.top, rcWork.right, rcWork.bottom});
    SetWindowPos(HWND_TOPMOST, rc.left, rc.top, 0, 0, SWP_NOSIZE);
    return TRUE;
}

void CToastDlg::Present(const char* pszUrl)
{
    CPromotionDlg::Present(pszUrl);
    // Setting a running timer again restarts its period.
    SetTimer(kHideTimer, kHideAfterMs);
}

void CToastDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHideTimer) {
        KillTimer(kHideTimer);
        OnCancel();
    }
    Default();
}

void CToastDlg::OnSysCommand(UINT nID, LPARAM)
{
    if (IsCloseCommand(nID)) {
        OnCancel();
        return;
    }
    Default();
}
