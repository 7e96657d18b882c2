#include "player/VideoDlg.h"

#include "app/shared/Settings.h"
#include "core/Geometry.h"
#include "framework/WinApp.h"
#include "framework/KeyFilter.h"
#include "res/resource.h"

CVideoDlg::CVideoDlg(CWnd* pParent) : CDialog(IDD_VIDEO, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

void CVideoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIDEO_BROWSER, m_browser);
}

const MessageMap* CVideoDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapGetMinMaxInfo<&CVideoDlg::OnGetMinMaxInfo>(),
        MapSize<&CVideoDlg::OnSize>(),
        MapSysCommand<&CVideoDlg::OnSysCommand>(),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CVideoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ResizeBrowser();
    PlaceWindow();
    return TRUE;
}

void CVideoDlg::PlaceWindow()
{
    if (IsSettingOn(kSettingTopmost)) SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    MoveWindow(0, 0, 800, 478, TRUE);
    CenterWindow();
}

void CVideoDlg::ResizeBrowser()
{
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    const core::Rect rc =
        core::VideoBrowserRect(rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top);
    m_rcBrowser = RECT{rc.left, rc.top, rc.right, rc.bottom};
    m_browser.MoveWindow(m_rcBrowser, TRUE);
}

void CVideoDlg::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    pMMI->ptMinTrackSize.x = 370;
    pMMI->ptMinTrackSize.y = 240;
    Default();
}

void CVideoDlg::OnSize(UINT, int, int)
{
    Default();
    ResizeBrowser();
}

void CVideoDlg::OnSysCommand(UINT nID, LPARAM)
{
    if (IsCloseCommand(nID)) {
        DestroyWindow();
        return;
    }
    Default();
}

BOOL CVideoDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsDialogCloseKey(pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
