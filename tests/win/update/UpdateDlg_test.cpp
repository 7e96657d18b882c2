// The update window run modally as the update check runs it: it downloads,
// moves its bar, starts the verified updater and ends itself; the user may
// close it at any time, and keys do not close it. And the real program, as a
// user meets an update at start-up.
#include "update/UpdateDlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BuildConfig.h"
#include "framework/WinApp.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/ModalDriver.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

// Every position a progress bar of this thread is given, in order.
std::vector<int> g_bar;

LRESULT CALLBACK NoteBarPosition(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pCall->message == PBM_SETPOS) g_bar.push_back(static_cast<int>(pCall->wParam));
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

class UpdateDlgTest : public UpdaterTest {
protected:
    void SetUp() override
    {
        UpdaterTest::SetUp();
        AfxInitCommonControls();
        // Owned, so that the driver finds it as the thread's modal dialog.
        m_owner.SubclassWindow(
            ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        UpdaterTest::TearDown();
    }
    void Run()
    {
        CUpdateDlg dlg(kBuild, StandIn::Url(kPath).c_str(), SiteFile("stel7_195.sig").c_str(), TempDir().c_str(), &m_owner);
        dlg.DoModal();
    }
    CWnd m_owner;
};

TEST_F(UpdateDlgTest, VerifiedUpdaterStartsAndTheWindowEndsItself)
{
    const HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &NoteBarPosition, nullptr, ::GetCurrentThreadId());
    Run();
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(10000).c_str(), TargetPath().c_str()));
    ASSERT_FALSE(g_bar.empty());
    // The positions themselves are the core's (Progress_test).
    EXPECT_TRUE(std::is_sorted(g_bar.begin(), g_bar.end()));
    EXPECT_EQ(100, g_bar.back());
    EXPECT_EQ(0, LeftoverDownloads());
}

// Over a slow answer of a verified updater, once its download is under way,
// Escape and Enter leave the window open; its close box ends it long before
// the answer completes, giving the download up at once. (That a cancelled
// download places nothing: VerifiedDownload_test.) The start timer's tick is
// sent, not waited for.
TEST_F(UpdateDlgTest, KeysLeaveTheWindowOpenAndItsCloseBoxEndsItLongBeforeTheAnswerCompletes)
{
    constexpr int kTrickleSeconds = 8;
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", kTrickleSeconds));
    bool bOpenAfterKeys = false;
    ULONGLONG closedAt = 0;
    ModalDriver driver({[](HWND hDlg) {
                            ::SendMessageA(hDlg, WM_TIMER, 1, 0);
                            // Not pumping here: the driver's next tick would run inside this step.
                            for (int i = 0; i < 200 && StandIn::Log(std::string("GET ") + kPath).empty(); ++i) {
                                ::Sleep(50);
                            }
                            ::PostMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
                            ::PostMessageA(hDlg, WM_KEYDOWN, VK_RETURN, 0);
                        },
                        [&](HWND hDlg) {
                            bOpenAfterKeys = true;
                            ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                            closedAt = ::GetTickCount64();
                        }});
    Run();
    EXPECT_EQ(0, driver.m_nClosed);
    EXPECT_TRUE(bOpenAfterKeys);
    EXPECT_LT(::GetTickCount64() - closedAt, kTrickleSeconds * 1000u / 2);
    EXPECT_FALSE(FileExists(TargetPath()));
}

// The lock is free for the other program once a window is gone; while that
// holds it, a window closes without downloading.
TEST_F(UpdateDlgTest, WhileTheOtherProgramHoldsTheLockTheWindowClosesWithoutDownloading)
{
    OtherProgram other;
    ASSERT_TRUE(other.Holds());
    ModalDriver driver({[](HWND hDlg) { ::SendMessageA(hDlg, WM_TIMER, 1, 0); }});
    Run();
    EXPECT_EQ(1u, driver.m_nStepsRun);
    EXPECT_EQ(0, driver.m_nClosed);
    EXPECT_TRUE(StandIn::Log(std::string("GET ") + kPath).empty());
}

using UpdateProgramTest = UpdaterTest;

// The document announces a newer build at start-up, and the signed updater is
// downloaded, verified and started.
TEST_F(UpdateProgramTest, NewerBuildAtStartUpIsDownloadedVerifiedAndStarted)
{
    ASSERT_TRUE(StandIn::SetDocument("/app/stel7/update/update.xml",
                                     "<update><update_ver>195</update_ver><update_url>" + StandIn::Url(kPath) +
                                         "</update_url><update_sig>" + SiteFile("stel7_195.sig") +
                                         "</update_sig></update>"));
    // stel7.exe of this build: the test program sits in <build>\tests\win.
    ChildProcess program;
    ASSERT_TRUE(program.Start(TestProgramDir() + "..\\..\\app\\stel7.exe"));
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(30000).c_str(), TargetPath().c_str()));
}

}  // namespace
