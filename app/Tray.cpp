// The notification-area icon and the window commands of the main window.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/SettingsDlg.h"
#include "update/UpdateDlg.h"

const UINT CMainDlg::s_nTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");

void CMainDlg::NotifyTrayIcon(int nAction, const char* pszTip)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_hWnd;
    nid.uID = IDI_MAIN;
    if (nAction == NIM_ADD) {
        nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        nid.uCallbackMessage = WM_TRAY_NOTIFY;
        nid.hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
        ::lstrcpynA(nid.szTip, pszTip ? pszTip : "", sizeof(nid.szTip));
    }
    // LoadIcon hands out the module's shared icon: it is never destroyed.
    ::Shell_NotifyIconA(static_cast<DWORD>(nAction), &nid);
}

void CMainDlg::RestoreFromTray()
{
    ShowWindow(SW_RESTORE);
    ShowWindow(SW_SHOW);
    BringWindowToTop();
    SetForegroundWindow();
}

LRESULT CMainDlg::OnAddTrayIcon(WPARAM, LPARAM)
{
    // The window's first paint comes first: posted messages go before paint,
    // and the shell's library takes a while to load.
    ::UpdateWindow(m_hWnd);
    NotifyTrayIcon(NIM_ADD, kTextProductName);
    return 0;
}

LRESULT CMainDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != IDI_MAIN) return 0;
    if (lParam == WM_LBUTTONDOWN) {
        RestoreFromTray();
    } else if (lParam == WM_RBUTTONDOWN) {
        HMENU hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_TRAYMENU));
        if (!hMenu) return 0;
        HMENU hPopup = ::GetSubMenu(hMenu, 0);
        POINT pt = {};
        ::GetCursorPos(&pt);
        // The menu only closes on a click elsewhere when its owner is the
        // foreground window, and only reopens cleanly after a message has
        // passed through the owner's queue (WM_NULL).
        SetForegroundWindow();
        if (hPopup) ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
        PostMessage(WM_NULL);
        ::DestroyMenu(hMenu);
    }
    return 0;
}

LRESULT CMainDlg::OnTaskbarCreated(WPARAM, LPARAM)
{
    // A restarted shell has no icons: without this one a hidden window had no way back.
    NotifyTrayIcon(NIM_ADD, kTextProductName);
    return 0;
}

void CMainDlg::OnSysCommand(UINT nID, LPARAM)
{
    if (IsCloseCommand(nID)) {
        ShowWindow(SW_HIDE);
        CheckToast();
        return;
    }
    Default();
}

void CMainDlg::OnMenuTray()
{
    ShowWindow(SW_HIDE);
    CheckToast();
}

void CMainDlg::OnMenuExit()
{
    // Nothing opens or loads once exit is chosen: results still on their way
    // are dropped, and waits on the network end at once.
    m_feeds.Close();
    EndAllModalLoops();
}

void CMainDlg::EndAllModalLoops()
{
    // The command may come from the tray while a dialog's modal loop runs over
    // this window: that loop ends first, then the window's own.
    if (m_pUpdateDlg) m_pUpdateDlg->OnCancel();
    if (m_pSettingsDlg) m_pSettingsDlg->EndDialog(IDCANCEL);
    OnCancel();
}

LRESULT CMainDlg::OnExitRequest(WPARAM, LPARAM)
{
    OnMenuExit();
    return 0;
}

void CMainDlg::OnTrayOpen()
{
    RestoreFromTray();
}

void CMainDlg::OnMenuAbout()
{
    MessageBox(kTextAbout, kTextProductName, MB_OK | MB_ICONINFORMATION);
}

void CMainDlg::OnMenuHowTo()
{
    ::ShellExecuteA(nullptr, "open", "iexplore.exe", "http://" STEL7_VENDOR_HOST "/", nullptr, SW_SHOWNORMAL);
}

void CMainDlg::OnMenuUpdate()
{
    CheckUpdate(1);
}
