// The settings command of the main menu and the tray menu.
#include "app/MainDlg.h"
#include "settings/SettingsDlg.h"

void CMainDlg::OnMenuSettings()
{
    // The tray menu still works while the dialog keeps this window disabled:
    // a second command brings the open dialog forward instead of stacking one
    // more over it.
    if (m_pSettingsDlg) {
        m_pSettingsDlg->BringWindowToTop();
        m_pSettingsDlg->SetForegroundWindow();
        return;
    }
    CSettingsDlg dlg;
    m_pSettingsDlg = &dlg;
    dlg.DoModal();
    m_pSettingsDlg = nullptr;
}
