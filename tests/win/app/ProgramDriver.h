#pragma once

// Driving the real stel7.exe from the test process, as a user would: its
// dialogs found on its main thread, its controls read and clicked through
// messages.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/shared/Registry.h"
#include "res/resource.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"

// Starts stel7.exe of this build.
bool StartProgram(ChildProcess& program);
// The first shown dialog of the program's main thread that matches, waiting up to 10 s.
HWND WaitForDialog(const ChildProcess& program, const std::function<bool(HWND)>& match = [](HWND) { return true; });
// Answers the program's message box showing `text` with the button `nId`; false when no such box shows.
bool AnswerBox(const ChildProcess& program, const char* text, int nId);
std::string Caption(HWND hWnd);
inline int Rows(HWND hMain, int nList) { return int(::SendDlgItemMessageA(hMain, nList, LVM_GETITEMCOUNT, 0, 0)); }
inline bool Shown(HWND hMain, int nId) { return ::IsWindowVisible(::GetDlgItem(hMain, nId)); }
// What a click on the button does: the button posts its own command.
inline void Click(HWND hWnd, int nId) { ::PostMessageA(::GetDlgItem(hWnd, nId), BM_CLICK, 0, 0); }
// The window answers a message within 5 s.
bool Answers(HWND hWnd);

// Clears the stored settings after each test.
class ProgramDriverTest : public StandInTest {
protected:
    void TearDown() override
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        StandInTest::TearDown();
    }

    // Starts the program and waits for its main window and the last start-up
    // step, the pop-up check.
    static HWND StartAndWaitForStartUp(ChildProcess& program);
};
