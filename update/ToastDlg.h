#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

// CToastDlg: the promotion toast shown when the window hides to the tray.
class CToastDlg : public CDialog {
public:
    explicit CToastDlg(CWnd* pParent = nullptr) : CDialog(IDD_TOAST, pParent) {}
};
