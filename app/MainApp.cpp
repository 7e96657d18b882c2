#include "app/MainApp.h"

#include "app/MainDlg.h"

CMainApp theApp;

BOOL CMainApp::InitInstance()
{
    // The main window hosts browser controls and common controls.
    AfxEnableControlContainer();
    AfxInitCommonControls();
    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
