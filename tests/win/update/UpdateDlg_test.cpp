// The update window run modally as the update check runs it: it downloads,
// moves its bar, starts the verified updater and ends itself; the user may
// close it at any time, and keys do not close it.
#include "update/UpdateDlg.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "feeds/UpdateLock.h"
#include "framework/WinApp.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/StandInTest.h"
#include "tests/win/update/ModalDriver.h"
#include "tests/win/update/OtherProgram.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

constexpr DWORD kStartWaitMs = 10000;
constexpr DWORD kNoStartWaitMs = 2000;

// Every position a progress bar of this thread is given, in order.
class BarPositions {
public:
    BarPositions() { m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &BarPositions::OnCall, nullptr, ::GetCurrentThreadId()); }
    ~BarPositions()
    {
        if (m_hHook) ::UnhookWindowsHookEx(m_hHook);
        s_positions.clear();
    }
    const std::vector<int>& Get() const { return s_positions; }

private:
    static LRESULT CALLBACK OnCall(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pCall->message == PBM_SETPOS) s_positions.push_back(static_cast<int>(pCall->wParam));
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    HHOOK m_hHook = nullptr;
    static std::vector<int> s_positions;
};

std::vector<int> BarPositions::s_positions;

class UpdateDlgTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        AfxInitCommonControls();
        ClearStart();
        LeftoverDownloads(true);
        ::DeleteFileA(TargetPath().c_str());
        ASSERT_TRUE(Serve(Bytes()));
    }
    void TearDown() override
    {
        ::DeleteFileA(TargetPath().c_str());
        ClearStart();
        StandInTest::TearDown();
    }
    static std::string Url() { return StandIn::Url(kPath); }
};

TEST_F(UpdateDlgTest, VerifiedUpdaterStartsAndTheWindowEndsItself)
{
    const BarPositions bar;
    CUpdateDlg dlg(Url().c_str(), GoodSignature().c_str(), TempDir().c_str());
    dlg.DoModal();
    EXPECT_EQ(0, ::lstrcmpiA(WaitForStart(kStartWaitMs).c_str(), TargetPath().c_str()));
    ASSERT_FALSE(bar.Get().empty());
    EXPECT_TRUE(std::is_sorted(bar.Get().begin(), bar.Get().end()));
    EXPECT_EQ(100, bar.Get().back());
    EXPECT_EQ(0, LeftoverDownloads());
}

TEST_F(UpdateDlgTest, BarStaysAtZeroWithoutALengthAndPassesHalfWayWithOne)
{
    // Ten pieces of 8000 bytes, each read whole (Wine reads up to 8 KiB at once):
    // the bar steps by ten.
    ASSERT_TRUE(Serve(std::string(80000, 'x')));
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", 2));
    {
        const BarPositions bar;
        CUpdateDlg(Url().c_str(), "", TempDir().c_str()).DoModal();
        EXPECT_NE(bar.Get().end(), std::find(bar.Get().begin(), bar.Get().end(), 50));
        ASSERT_FALSE(bar.Get().empty());
        EXPECT_EQ(100, bar.Get().back());
    }
    ASSERT_TRUE(StandIn::SetFault(kPath, "nolength", 1));
    {
        const BarPositions bar;
        CUpdateDlg(Url().c_str(), "", TempDir().c_str()).DoModal();
        EXPECT_EQ(std::vector<int>{0}, bar.Get());
    }
}

TEST_F(UpdateDlgTest, KeysLeaveItOpenAndTheCloseBoxCancelsTheDownload)
{
    // A verified updater that would start once its slow answer completed.
    constexpr int kTrickleSeconds = 8;
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", kTrickleSeconds));
    CUpdateDlg dlg(Url().c_str(), GoodSignature().c_str(), TempDir().c_str());
    bool bKeysSent = false;
    bool bOpenAfterKeys = false;
    ULONGLONG closedAt = 0;
    const ModalDriver driver([&] {
        if (!bKeysSent) {
            if (StandIn::Log(std::string("GET ") + kPath).empty()) return false;
            dlg.PostMessage(WM_KEYDOWN, VK_ESCAPE);
            dlg.PostMessage(WM_KEYDOWN, VK_RETURN);
            bKeysSent = true;
            return false;
        }
        bOpenAfterKeys = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
        dlg.PostMessage(WM_SYSCOMMAND, SC_CLOSE);
        closedAt = ::GetTickCount64();
        return true;
    });
    dlg.DoModal();
    ASSERT_TRUE(driver.Done());
    EXPECT_TRUE(bOpenAfterKeys);
    // Long before the answer completes (a window's end takes about 2 s under Wine).
    EXPECT_LT(::GetTickCount64() - closedAt, 5000u);
    // The lock is free for the other program at once.
    OtherProgram other;
    EXPECT_TRUE(other.Holds());
    // After the answer would have completed, nothing has started.
    EXPECT_EQ("", WaitForStart(kTrickleSeconds * 1000));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(TargetPath().c_str()));
    EXPECT_EQ(0, LeftoverDownloads());
}

// An empty address: a failed download, and the old updater is not started.
TEST_F(UpdateDlgTest, FailedDownloadNeverStartsAnOldUpdater)
{
    ASSERT_TRUE(WriteFileBytes(TargetPath(), Bytes()));
    CUpdateDlg("", GoodSignature().c_str(), TempDir().c_str()).DoModal();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(TargetPath().c_str()));
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
}

TEST_F(UpdateDlgTest, WhileTheOtherProgramHoldsTheLockTheWindowClosesWithoutDownloading)
{
    OtherProgram other;
    ASSERT_TRUE(other.Holds());
    ASSERT_TRUE(StandIn::ClearLog());
    CUpdateDlg(Url().c_str(), GoodSignature().c_str(), TempDir().c_str()).DoModal();
    EXPECT_TRUE(StandIn::Log(std::string("GET ") + kPath).empty());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
}

}  // namespace
