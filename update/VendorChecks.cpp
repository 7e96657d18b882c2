// Checks of the vendor's update and advertising documents. The update window
// and the promotion windows come with their own releases; until then a check
// finds nothing to show.
#include "app/MainDlg.h"

void CMainDlg::CheckUpdate(int) {}

void CMainDlg::CheckPopup() {}

void CMainDlg::CheckToast() {}
