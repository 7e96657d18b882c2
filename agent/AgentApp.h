#pragma once

#include "framework/WinApp.h"

// CAgentApp: runs the agent's hidden window modally and ends the process with it.
class CAgentApp : public CWinApp {
public:
    CAgentApp() = default;
    BOOL InitInstance() override;
};
