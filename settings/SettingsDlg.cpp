#include "settings/SettingsDlg.h"

#include "app/AppTexts.h"
#include "app/shared/Settings.h"
#include "core/PlayMode.h"
#include "framework/WinApp.h"
#include "framework/KeyFilter.h"

namespace {

const char* FlagText(const CButton& check)
{
    return check.GetCheck() == BST_CHECKED ? "true" : "false";
}

}  // namespace

CSettingsDlg::CSettingsDlg(CWnd* pParent) : CDialog(IDD, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHK_TOPMOST, m_chkTopmost);
    DDX_Control(pDX, IDC_CHK_RUN, m_chkRun);
    DDX_Control(pDX, IDC_COMBO_MUSIC, m_cbMusic);
}

const MessageMap* CSettingsDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapMouse<&CSettingsDlg::OnDragByBackground>(WM_LBUTTONDOWN),
        MapCommand<&CSettingsDlg::OnApply>(IDC_BTN_APPLY, BN_CLICKED),
        MapCommand<&CSettingsDlg::OnCancel>(IDC_BTN_CANCEL, BN_CLICKED),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    if (IsSettingOn(kSettingRun)) m_chkRun.SetCheck(BST_CHECKED);
    if (IsSettingOn(kSettingTopmost)) m_chkTopmost.SetCheck(BST_CHECKED);
    // A text that is none of the list's words selects no item (-1).
    m_cbMusic.SetCurSel(core::PlayModeItem(ReadSetting(kSettingMusic)));
    return TRUE;
}

BOOL CSettingsDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsDialogCloseKey(pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CSettingsDlg::OnApply()
{
    if (MessageBox(kTextConfirmSettings, kTextProductName, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (!SaveSettings()) {
        MessageBox(kTextSettingsNotSaved, kTextProductName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    OnCancel();
    MessageBox(kTextSettingsApplied, kTextProductName, MB_OK | MB_ICONINFORMATION);
}

bool CSettingsDlg::SaveSettings()
{
    if (!WriteSetting(kSettingRun, FlagText(m_chkRun))) return false;
    if (!WriteSetting(kSettingTopmost, FlagText(m_chkTopmost))) return false;
    // Without a selected item the stored text stays as it is.
    const char* pszMusic = core::PlayModeWord(m_cbMusic.GetCurSel());
    return !pszMusic || WriteSetting(kSettingMusic, pszMusic);
}
