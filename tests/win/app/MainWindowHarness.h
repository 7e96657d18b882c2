#pragma once

// Runs the real main window in a test process: created modelessly from its
// template (so the start-up sequence runs against the stand-in server), with
// message boxes recorded and answered instead of shown. One main window per
// process: its single-instance mutex is held until the process ends. So the
// tests that look at a window after its start-up share one, opened by the
// first of them; a test of the start-up itself opens its own and needs a
// process of its own (ctest runs each test in one).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/shared/Registry.h"
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

// Skips a test that opens a main window of its own when this process already
// had one (a whole test program run at once).
#define SKIP_UNLESS_FIRST_MAIN_WINDOW()                                                   \
    if (g_pMainDlg) GTEST_SKIP() << "opens the process's main window: run it on its own"

// Base of the tests that start from the process's main window after its
// start-up: shown, no stored settings, nothing typed, no video window, no
// track playing, no message box recorded, nothing still loading and an empty
// request log. What
// else a test needs (a section, a tab, a list's rows) it sets up itself.
class OpenedMainWindowTest : public StandInTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    static CMainDlg& Dlg();
    void Press(int nId) { Dlg().SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); }
    bool WaitForLoads(DWORD ms = 30000) { return PumpUntil([] { return Dlg().m_feeds.Pending() == 0; }, ms); }
    // A section pressed and its loads come back.
    bool ShowSection(int nButton)
    {
        Press(nButton);
        return WaitForLoads();
    }
    // What a user's choice sends: a tab chosen, a row of a list clicked (NM_CLICK) or double-clicked.
    void ChooseTab(int nIndex);
    void Notify(int nList, UINT code, int nRow);
};
