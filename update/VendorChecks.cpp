// The check of the vendor's update document. The update window comes with its
// own release; until then the check finds nothing to show.
#include "app/MainDlg.h"

void CMainDlg::CheckUpdate(int) {}
