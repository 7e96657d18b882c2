#include "agent/AgentApp.h"

#include "agent/AgentDlg.h"

CAgentApp theAgentApp;

BOOL CAgentApp::InitInstance()
{
    AfxEnableControlContainer();
    AfxInitCommonControls();
    CAgentDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
