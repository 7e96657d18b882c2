// Faults found in review and mended, on the real main window; the test names say which.
#include "BuildConfig.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

using FaultsTest = OpenedMainWindowTest;

TEST_F(FaultsTest, SearchKeepsToTheListOnScreenAndSelectsItsTab)
{
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_SEARCH));
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
}

// An empty search is counted, asks for a term and leaves the section, its
// lists and its tab strip as they were; a search from another section shows
// the video results with their tab.
TEST_F(FaultsTest, EmptySearchChangesNothingAndOneFromAnotherSectionShowsTheVideoResults)
{
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_MUSIC));
    const int rowsBefore = Dlg().m_listVideo.GetItemCount();
    ASSERT_TRUE(StandIn::ClearLog());
    Dlg().m_editSearch.SetWindowText("");
    Press(IDC_BTN_SEARCH);
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7"}),
              StandIn::Log());
    ASSERT_EQ(1u, RecordedBoxes().size());
    EXPECT_EQ("검색어를 입력해주세요.", RecordedBoxes()[0].text);
    EXPECT_EQ(rowsBefore, Dlg().m_listVideo.GetItemCount());
    EXPECT_EQ(3, Dlg().m_sections.m_nSection);
    EXPECT_TRUE(Dlg().m_listMusic.IsWindowVisible());
    // The music section's tab still reloads the chart.
    ASSERT_TRUE(StandIn::ClearLog());
    ChooseTab(0);
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/config/music.xml"}), StandIn::Log());
    Dlg().m_editSearch.SetWindowText("고양이");
    Press(IDC_BTN_SEARCH);
    EXPECT_TRUE(Dlg().m_listVideo.IsWindowVisible());
    EXPECT_EQ(0, Dlg().m_tab.GetCurSel());
    EXPECT_EQ(1, Dlg().m_sections.m_nTab);
    EXPECT_EQ(1, Dlg().m_sections.m_nSection);
    EXPECT_EQ(2, Dlg().m_tab.GetItemCount());
}

TEST_F(FaultsTest, WindowNeverWaitsForAHangingLoad)
{
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/config/music.xml", "hang"));
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /app/stel7/config/music.xml").empty(); }, 10000));
    // The press returns while the load still hangs: had the window's thread
    // waited for its turn, the load would have ended first.
    Dlg().m_editSearch.SetWindowText("abc");
    Press(IDC_BTN_SEARCH);
    EXPECT_GT(Dlg().m_feeds.Pending(), 0);
    EXPECT_TRUE(Dlg().m_listVideo.IsWindowVisible());
}

// Closing destroys the window: this test has one of its own.
TEST(FaultsOwnWindowTest, WindowClosesPromptlyAndSilentlyDuringAHangingLoad)
{
    SKIP_UNLESS_FIRST_MAIN_WINDOW();
    ASSERT_TRUE(StandIn::Reset());
    MainWindowHarness harness;
    ASSERT_TRUE(harness.Open());
    ClearRecordedBoxes();
    ASSERT_TRUE(StandIn::SetFault("/rss/user/MBCentertainment/videos.rss", "hang"));
    harness.Dlg().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_SECTION_CHANNEL, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /rss/user/").empty(); }, 10000));
    const DWORD start = ::GetTickCount();
    harness.Dlg().SendMessage(WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_FALSE(::IsWindow(harness.Dlg().m_hWnd));
    // The load itself would hold it for the whole network deadline.
    EXPECT_LT(::GetTickCount() - start, STEL7_NET_DEADLINE_MS / 2u);
    // The worker ends on its own once its load gave up.
    EXPECT_TRUE(PumpUntil([&] { return harness.Dlg().m_feeds.LiveWorkers() == 0; }, 5000));
    ASSERT_TRUE(PumpPosted());
    EXPECT_TRUE(RecordedBoxes().empty());
    StandIn::Reset();
}

}  // namespace
