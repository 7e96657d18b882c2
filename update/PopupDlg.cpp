#include "update/PopupDlg.h"

BOOL CPopupDlg::OnInitDialog()
{
    CPromotionDlg::OnInitDialog();
    MoveWindow(m_rcLayout);
    CenterWindow();
    return TRUE;
}
