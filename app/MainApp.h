#pragma once

#include "framework/WinApp.h"

// CMainApp: runs the main window modally and ends the process with it.
class CMainApp : public CWinApp {
public:
    CMainApp() = default;
    BOOL InitInstance() override;
};
