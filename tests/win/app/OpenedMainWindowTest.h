#pragma once

// Base of the tests that start from a main window that has finished its
// start-up: no message box recorded yet and an empty request log.

#include <gtest/gtest.h>

#include "app/MainDlg.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/StandInTest.h"

class OpenedMainWindowTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        ASSERT_TRUE(m_harness.Open());
        ClearRecordedBoxes();
        ASSERT_TRUE(StandIn::ClearLog());
    }

    CMainDlg& Dlg() { return m_harness.Dlg(); }
    void Press(int nId) { Dlg().SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); }

    MainWindowHarness m_harness;
};
