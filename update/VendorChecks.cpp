// Checks of the vendor's advertising document. The promotion windows come
// with their own release; until then a check finds nothing to show.
#include "app/MainDlg.h"

void CMainDlg::CheckPopup() {}

void CMainDlg::CheckToast() {}
