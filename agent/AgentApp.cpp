#include "agent/AgentApp.h"

#include "agent/AgentDlg.h"

CAgentApp theAgentApp;

BOOL CAgentApp::InitInstance()
{
    CAgentDlg dlg;
    RunMainDialog(dlg);
    return FALSE;
}
