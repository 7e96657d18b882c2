#pragma once

// CSettingsDlg: the modal dialog of the three user settings. It shows the
// stored values and, once the user confirms, writes them back; nothing is
// applied to open windows, each value takes effect where it is next read.

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "res/resource.h"

class CSettingsDlg : public CDialog {
public:
    static constexpr UINT IDD = IDD_SETTINGS;

    explicit CSettingsDlg(CWnd* pParent = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    CButton m_chkTopmost;
    CButton m_chkRun;
    CComboBox m_cbMusic;
    HICON m_hIcon = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;
    // Confirms, writes and closes; a failed write is reported and keeps the
    // dialog open.
    void OnApply();

private:
    // Writes the three values; false as soon as one is not stored.
    bool SaveSettings();
};
