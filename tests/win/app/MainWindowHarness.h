#pragma once

// Runs the real main window in a test process: created modelessly from its
// template (so the start-up sequence runs against the stand-in server), with
// message boxes recorded and answered instead of shown. One main window per
// process: its single-instance mutex is held until the process ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Registry.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"

struct RecordedBox {
    std::string text;
    UINT type;
    bool ownedByMain, ownerVisible;
    DWORD thread;  // that showed it
};

// Message boxes shown since the harness began (or were cleared, with any
// answers left), oldest first.
std::vector<RecordedBox> RecordedBoxes();
void ClearRecordedBoxes();
// The answers (IDYES, IDNO, ...) the next boxes get, in order; IDOK after them.
void AnswerNextBoxes(std::initializer_list<int> answers);

// The texts of one list's rows, cell by cell.
std::vector<std::vector<std::string>> ListRows(const CListCtrl& list);

class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    // Creates the window, which shows before its start-up steps end.
    bool Create();
    // Creates the window and waits for its start-up steps to end.
    bool Open();
    CMainDlg& Dlg() { return m_dlg; }
    // Destroys the window, which waits for its workers, and runs its last messages.
    void Close();

private:
    // As in the program, the window is the application's main window: a
    // dialog made without a parent is owned by it.
    CWinApp m_app;
    // Run modelessly, the window is destroyed when it is ended, as the
    // program's modal loop ends and destroys it.
    CMainDlg m_dlg;
};

// Base of the tests that start from a main window that has finished its
// start-up: no stored settings, no message box recorded yet and an empty
// request log. The window is gone before the settings are cleared again.
class OpenedMainWindowTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        ASSERT_TRUE(m_harness.Open());
        ClearRecordedBoxes();
        ASSERT_TRUE(StandIn::ClearLog());
    }
    void TearDown() override
    {
        m_harness.Close();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        StandInTest::TearDown();
    }

    CMainDlg& Dlg() { return m_harness.Dlg(); }
    void Press(int nId) { Dlg().SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); }
    bool WaitForLoads(DWORD ms = 30000) { return PumpUntil([this] { return Dlg().m_feeds.Pending() == 0; }, ms); }
    // What a user's choice sends: a tab chosen, a row of a list clicked (NM_CLICK) or double-clicked.
    void ChooseTab(int nIndex);
    void Notify(int nList, UINT code, int nRow);

    MainWindowHarness m_harness;
};
