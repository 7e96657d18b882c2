#include "app/MainApp.h"

#include "app/MainDlg.h"

CMainApp theApp;

BOOL CMainApp::InitInstance()
{
    CMainDlg dlg;
    RunMainDialog(dlg);
    return FALSE;
}
