#pragma once

// CWinApp: the one application object. The framework's entry point hands it
// the instance and runs InitInstance; a dialog-based program runs its main
// dialog modally there and returns FALSE, which ends the process.

#include <windows.h>

class CDialog;
class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // A dialog-based program's whole life: OLE and the common controls for
    // this thread, then the dialog as the main window, run modally.
    void RunMainDialog(CDialog& dlg);

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();

// Lets dialogs host ActiveX controls: OLE for this thread.
BOOL AfxEnableControlContainer();
// Registers the common controls (list views, tabs, progress bars) with the
// visual style the manifest asks for.
BOOL AfxInitCommonControls();

// Runs the application object; the body of the program's entry point.
int AfxWinMain(HINSTANCE hInstance);
