#include "app/MainApp.h"

#include "app/MainDlg.h"
#include "framework/DiagnosticLog.h"

CMainApp theApp;

BOOL CMainApp::InitInstance()
{
    OpenDiagnosticLog("stel7", "stel7.log");
    CMainDlg dlg;
    RunMainDialog(dlg);
    return FALSE;
}
