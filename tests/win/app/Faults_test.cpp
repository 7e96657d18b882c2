// Faults found in review and mended, on the real main window; the test names say which.
#include <atomic>
#include <thread>

#include "BuildConfig.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

using FaultsTest = OpenedMainWindowTest;

// A search keeps to the list on screen and selects its tab; from another
// section a term brings the video results on screen with their tab, and an
// empty one is counted, asks for a term and changes nothing.
TEST_F(FaultsTest, SearchShowsItsListWithItsTabAndAnEmptyOneChangesNothing)
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

    Press(IDC_BTN_SECTION_HUMOR);
    ASSERT_TRUE(WaitForWorkers());
    Press(IDC_BTN_SEARCH);
    EXPECT_TRUE(Dlg().m_listVideo.IsWindowVisible());
    EXPECT_EQ(0, Dlg().m_tab.GetCurSel());
    EXPECT_EQ(1, Dlg().m_nTab.load());
    EXPECT_EQ(1, Dlg().m_nSection.load());
    EXPECT_EQ(2, Dlg().m_tab.GetItemCount());

    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForWorkers());
    const int rowsBefore = Dlg().m_listVideo.GetItemCount();
    ASSERT_TRUE(StandIn::ClearLog());
    Dlg().m_editSearch.SetWindowText("");
    Press(IDC_BTN_SEARCH);
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

TEST_F(FaultsTest, WindowRepaintsWhileItsThreadWaitsForTheGateAndClosesPromptlyAndSilentlyDuringAHangingLoad)
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

    ASSERT_TRUE(WaitForWorkers());
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

}  // namespace
