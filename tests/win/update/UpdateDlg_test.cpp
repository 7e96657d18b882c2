// The update window run modally as the update check runs it: it downloads,
// moves its bar, starts the verified updater and ends itself; the user may
// close it at any time, and keys do not close it. And the real program, as a
// user meets an update at start-up.
#include "update/UpdateDlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/WinApp.h"
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
    }
    const std::string m_strUrl = StandIn::Url(kPath);
};

TEST_F(UpdateDlgTest, VerifiedUpdaterStartsAndTheWindowEndsItself)
{
    CUpdateDlg dlg(kBuild, m_strUrl.c_str(), SiteFile("stel7_195.sig").c_str(), TempDir().c_str());
    const HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &NoteBarPosition, nullptr, ::GetCurrentThreadId());
    dlg.DoModal();
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(10000).c_str(), TargetPath().c_str()));
    ASSERT_FALSE(g_bar.empty());
    // The positions themselves are the core's (Progress_test).
    EXPECT_TRUE(std::is_sorted(g_bar.begin(), g_bar.end()));
    EXPECT_EQ(100, g_bar.back());
    EXPECT_EQ(0, LeftoverDownloads());
}

TEST_F(UpdateDlgTest, KeysLeaveItOpenTheCloseBoxCancelsTheDownloadAndTheOtherProgramsLockKeepsItFromStarting)
{
    // A verified updater that would start once its slow answer completed.
    constexpr int kTrickleSeconds = 8;
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", kTrickleSeconds));
    // Owned, so that the driver finds it as the thread's modal dialog.
    CWnd owner;
    owner.SubclassWindow(::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    CUpdateDlg dlg(kBuild, m_strUrl.c_str(), SiteFile("stel7_195.sig").c_str(), TempDir().c_str(), &owner);
    bool bOpenAfterKeys = false;
    ULONGLONG closedAt = 0;
    ModalDriver driver({[](HWND hDlg) {
                            for (int i = 0; i < 100 && StandIn::Log(std::string("GET ") + kPath).empty(); ++i)
                                ::Sleep(50);
                            ::PostMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
                            ::PostMessageA(hDlg, WM_KEYDOWN, VK_RETURN, 0);
                        },
                        [&](HWND hDlg) {
                            bOpenAfterKeys = true;
                            ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                            closedAt = ::GetTickCount64();
                        }});
    dlg.DoModal();
    owner.DestroyWindow();
    EXPECT_TRUE(bOpenAfterKeys);
    EXPECT_EQ(0, driver.m_nClosed);
    // Long before the answer completes (a window's end takes about 2 s under Wine).
    EXPECT_LT(::GetTickCount64() - closedAt, 5000u);
    // The lock is free for the other program at once; while that holds it, a
    // window closes without downloading.
    OtherProgram other;
    EXPECT_TRUE(other.Holds());
    ASSERT_TRUE(StandIn::ClearLog());
    CUpdateDlg second(kBuild, m_strUrl.c_str(), SiteFile("stel7_195.sig").c_str(), TempDir().c_str());
    second.DoModal();
    EXPECT_TRUE(StandIn::Log(std::string("GET ") + kPath).empty());
    // After the answer would have completed, nothing has started.
    EXPECT_EQ("", WaitForStart(kTrickleSeconds * 1000));
    EXPECT_FALSE(FileExists(TargetPath()));
    EXPECT_EQ(0, LeftoverDownloads());
}

using UpdateProgramTest = UpdaterTest;

// The document announces a newer build, and the signed updater is downloaded,
// verified and started before the main window shows.
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
