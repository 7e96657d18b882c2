#pragma once

// CToastDlg: the promotion toast, shown topmost near the bottom-right corner
// of the work area each time the main window goes to the notification area,
// and hidden again by its own timer 15 seconds after each showing.

#include "res/resource.h"
#include "update/PromotionDlg.h"

class CToastDlg : public CPromotionDlg {
public:
    static constexpr UINT IDD = IDD_TOAST;

    CToastDlg() : CPromotionDlg(IDD, IDC_TOAST_BROWSER) {}

    BOOL OnInitDialog() override;
    // Also starts the hiding timer anew, so every showing ends by itself.
    void Present(const char* pszUrl) override;

protected:
    const MessageMap* GetMessageMap() const override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);
};
