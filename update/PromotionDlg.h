#pragma once

// CPromotionDlg: what the promotion pop-up and toast share. A modeless dialog
// whose browser shows the vendor's page at 348 x 344 pixels. Closing it only
// hides it: the main window keeps the object and shows it again on a later
// check, and destroys it when it goes itself.

#include "framework/Dialog.h"
#include "player/browser/WebBrowser2.h"

class CPromotionDlg : public CDialog {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    // Hides the window; a modeless dialog would otherwise be destroyed.
    void OnCancel() override;

    // Navigates the browser to the address and shows the window.
    virtual void Present(const char* pszUrl);

    CWebBrowser2 m_browser;
    HICON m_hIcon = nullptr;
    RECT m_rcLayout = {};

protected:
    CPromotionDlg(UINT nIDTemplate, UINT nIDBrowser);
    void DoDataExchange(CDataExchange* pDX) override;

private:
    UINT m_nIDBrowser;
};
