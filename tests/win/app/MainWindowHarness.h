#pragma once

// Runs the real main window in a test process: created modelessly from its
// template (so the start-up sequence runs against the stand-in server), with
// message boxes recorded and answered instead of shown. One main window per
// process: its single-instance mutex is held until the process ends.

#include <windows.h>

#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "tests/win/support/Pump.h"

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT type;
    bool ownedByMain;
};

// Message boxes shown since the harness began, oldest first.
std::vector<RecordedBox> RecordedBoxes();
void ClearRecordedBoxes();

// The texts of one list's rows, cell by cell.
std::vector<std::vector<std::string>> ListRows(const CListCtrl& list);
std::vector<std::string> TabTexts(const CTabCtrl& tab);

// Requests in the stand-in's log whose path starts with `prefix`.
std::vector<std::string> LoggedRequests(const std::string& prefix);

class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    // Creates the window; the start-up sequence runs before this returns.
    bool Open();
    CMainDlg& Dlg() { return m_dlg; }
    // Ends the window as the exit command does and destroys it.
    void Close();

private:
    // The program runs the window modally, and ending it destroys it; here it
    // runs modelessly, so the harness destroys it as soon as it is ended.
    class EndingDlg : public CMainDlg {
    public:
        void OnCancel() override
        {
            CMainDlg::OnCancel();
            DestroyWindow();
        }
    };
    EndingDlg m_dlg;
};
