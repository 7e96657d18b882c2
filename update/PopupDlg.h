#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

// CPopupDlg: the promotion pop-up shown at start-up when the vendor switches it on.
class CPopupDlg : public CDialog {
public:
    explicit CPopupDlg(CWnd* pParent = nullptr) : CDialog(IDD_POPUP, pParent) {}
};
