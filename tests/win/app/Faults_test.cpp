// One named test per fault found in review and mended, on the real main window.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "player/VideoDlg.h"
#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

using FaultsTest = OpenedMainWindowTest;

TEST_F(FaultsTest, EmptySearchInAnotherSectionChangesNothing)
{
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForWorkers());
    const int rowsBefore = Dlg().m_listVideo.GetItemCount();
    ASSERT_TRUE(StandIn::ClearLog());
    Dlg().m_editSearch.SetWindowText("");
    Press(IDC_BTN_SEARCH);
    // The search is counted, then a term asked for.
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7"}),
              StandIn::Log());
    ASSERT_EQ(1u, RecordedBoxes().size());
    EXPECT_EQ("검색어를 입력해주세요.", RecordedBoxes()[0].text);
    EXPECT_EQ(rowsBefore, Dlg().m_listVideo.GetItemCount());
    EXPECT_EQ(3, Dlg().m_nSection.load());
    EXPECT_TRUE(Dlg().m_listMusic.IsWindowVisible());
    // The tab strip still belongs to the music section: its tab reloads the chart.
    ASSERT_TRUE(StandIn::ClearLog());
    ChooseTab(0);
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/config/music.xml"}), StandIn::Log());
}

TEST_F(FaultsTest, SearchSelectsTheTabOfTheListOnScreen)
{
    ChooseTab(1);
    EXPECT_TRUE(Dlg().m_listTweet.IsWindowVisible());
    EXPECT_FALSE(Dlg().m_btnPlay.IsWindowVisible());
    Dlg().m_editSearch.SetWindowText("고양이");
    Press(IDC_BTN_SEARCH);
    EXPECT_TRUE(Dlg().m_listTweet.IsWindowVisible());
    EXPECT_EQ(1, Dlg().m_tab.GetCurSel());
    ChooseTab(0);
    EXPECT_TRUE(Dlg().m_listVideo.IsWindowVisible());
    EXPECT_TRUE(Dlg().m_btnStop.IsWindowVisible());

    // From another section the video results come on screen with their tab.
    Press(IDC_BTN_SECTION_HUMOR);
    ASSERT_TRUE(WaitForWorkers());
    Press(IDC_BTN_SEARCH);
    EXPECT_TRUE(Dlg().m_listVideo.IsWindowVisible());
    EXPECT_EQ(0, Dlg().m_tab.GetCurSel());
    EXPECT_EQ(1, Dlg().m_nTab.load());
    EXPECT_EQ(1, Dlg().m_nSection.load());
    EXPECT_EQ(2, Dlg().m_tab.GetItemCount());
}

TEST_F(FaultsTest, ClosingDuringAHangingChannelLoadIsPromptAndSilent)
{
    ASSERT_TRUE(StandIn::SetFault("/rss/user/MBCentertainment/videos.rss", "hang"));
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /rss/user/").empty(); }, 10000));
    const DWORD start = ::GetTickCount();
    Dlg().SendMessage(WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_FALSE(::IsWindow(Dlg().m_hWnd));
    // Under Wine a plain close takes about 4 s (the tray call alone 2 s); the
    // load itself would hold it for the whole network deadline.
    EXPECT_LT(::GetTickCount() - start, STEL7_NET_DEADLINE_MS / 2u);
    // No worker is left to touch the window after its destruction.
    EXPECT_EQ(0, Dlg().m_nLiveWorkers.load());
    PumpFor(200);
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(FaultsTest, FailedChannelLoadIsReportedByTheWindowsThread)
{
    ASSERT_TRUE(StandIn::SetFault("/rss/user/MBCentertainment/videos.rss", "404"));
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(WaitForWorkers());
    PumpFor(100);
    ASSERT_EQ(1u, RecordedBoxes().size());
    EXPECT_EQ(::GetCurrentThreadId(), RecordedBoxes()[0].thread);
}

TEST_F(FaultsTest, WindowRepaintsWhileItsThreadWaitsForTheGate)
{
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/config/music.xml", "hang"));
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /app/stel7/config/music.xml").empty(); }, 10000));
    const HWND hMain = Dlg().m_hWnd;
    std::atomic<bool> repainted{false};
    std::thread observer([&] {
        ::Sleep(300);  // the window's thread is waiting behind the hanging worker by now
        ::InvalidateRect(hMain, nullptr, TRUE);
        for (int i = 0; i < 100 && !repainted; ++i) {
            ::Sleep(20);
            repainted = !::GetUpdateRect(hMain, nullptr, FALSE);
        }
        StandIn::Reset();
    });
    Dlg().m_editSearch.SetWindowText("abc");
    Press(IDC_BTN_SEARCH);
    observer.join();
    EXPECT_TRUE(repainted.load());
}

TEST_F(FaultsTest, VideoWindowClosedByAnotherProgramIsDestroyedAndMadeAgain)
{
    ASSERT_GT(Dlg().m_listVideo.GetItemCount(), 0);
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    const HWND hFirst = Dlg().m_pVideoDlg->m_hWnd;
    ::SendMessageA(hFirst, WM_CLOSE, 0, 0);
    PumpFor(100);  // the dialog manager posts the cancel command
    EXPECT_FALSE(::IsWindow(hFirst));
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_TRUE(Dlg().m_pVideoDlg->IsWindowVisible());
    Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    EXPECT_FALSE(VideoWindowOpen());
}

TEST_F(FaultsTest, HalfFilledRowPlaysNothing)
{
    Dlg().m_listVideo.DeleteAllItems();
    Dlg().m_listVideo.InsertItem(0, "제목만 있는 줄");
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    EXPECT_FALSE(VideoWindowOpen());

    Dlg().m_nSection = 3;
    Dlg().m_listMusic.DeleteAllItems();
    Dlg().m_listMusic.InsertItem(0, "1. 제목");
    Dlg().m_listMusic.SetItemText(0, 1, "00:03");
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 0);
    EXPECT_EQ(CString("스텔론"), Dlg().GetWindowText());
}

TEST_F(FaultsTest, TrayIconIsAddedAgainWhenTheShellRestarts)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = Dlg().m_hWnd;
    nid.uID = IDI_MAIN;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
    Dlg().SendMessage(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
}

}  // namespace
