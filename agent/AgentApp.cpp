#include "agent/AgentApp.h"

#include "agent/AgentDlg.h"
#include "framework/DiagnosticLog.h"

CAgentApp theAgentApp;

BOOL CAgentApp::InitInstance()
{
    OpenDiagnosticLog("stel7", "stel7agent.log");
    CAgentDlg dlg;
    RunMainDialog(dlg);
    return FALSE;
}
