// The settings command of the main menu and the tray menu. The settings
// dialog comes with its own release; until then the command does nothing.
#include "app/MainDlg.h"

void CMainDlg::OnMenuSettings() {}
