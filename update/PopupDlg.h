#pragma once

// CPopupDlg: the promotion pop-up, shown centred at start-up when the vendor
// switches it on; it stays until the user closes it.

#include "res/resource.h"
#include "update/PromotionDlg.h"

class CPopupDlg : public CPromotionDlg {
public:
    static constexpr UINT IDD = IDD_POPUP;

    CPopupDlg() : CPromotionDlg(IDD, IDC_POPUP_BROWSER) {}
};
