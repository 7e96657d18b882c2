// The main window's start-up, and each of its feeds against documents that do
// and do not match the layout it expects, read back from the lists.
#include "tests/win/app/MainWindowHarness.h"

#include "res/resource.h"

namespace {

using Row = std::vector<std::string>;

class MainWindowTest : public StandInTest {
protected:
    MainWindowHarness m_harness;
};

// The window is up and answering its tray icon while the first start-up step
// hangs; a search typed meanwhile runs after the start-up's and stays on screen.
TEST_F(MainWindowTest, WindowAnswersWhileTheStartUpHangsAndATypedSearchComesAfterIt)
{
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/analytics/request/count.php", "hang"));
    ASSERT_TRUE(m_harness.Create());
    CMainDlg& dlg = m_harness.Dlg();
    ASSERT_TRUE(PumpUntil([&] { return StandIn::Log().size() == 1; }, 10000));
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }, 5000));
    dlg.SendMessage(28000, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(0, dlg.m_listVideo.GetItemCount());

    // Queued behind the hanging count; the hang ends only then.
    dlg.m_editSearch.SetWindowText("고양이");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_SEARCH, BN_CLICKED), 0);
    ASSERT_TRUE(StandIn::Reset());
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_feeds.Pending() == 0; }, 60000));
    const std::vector<std::string> videos = StandIn::Log("GET /feeds/api/videos");
    ASSERT_EQ(2u, videos.size());
    const std::string typed = "q=" + std::string(dlg.EncodeKeyword("고양이").Str());
    EXPECT_EQ(std::string::npos, videos[0].find(typed));
    EXPECT_NE(std::string::npos, videos[1].find(typed));
    EXPECT_GT(dlg.m_listVideo.GetItemCount(), 0);
    EXPECT_TRUE(dlg.m_listVideo.IsWindowVisible());
    EXPECT_TRUE(RecordedBoxes().empty());
}

using FeedsTest = OpenedMainWindowTest;

// An element missing from one entry must leave the next entries' cells where
// they belong; a rank document without a first place, or none at all, leaves
// the term and the prompt as they were; a channel that fails says so.
TEST_F(FeedsTest, MissingElementsKeepCellsInPlaceBadRankDocumentsKeepTheTermAndFailedChannelsSaySo)
{
    ASSERT_TRUE(StandIn::ServeFile("/feeds/api/videos", "videos_uneven.xml"));
    Dlg().LoadVideoSearch("아무거나");
    ASSERT_TRUE(WaitForLoads());
    const auto videos = ListRows(Dlg().m_listVideo);
    ASSERT_EQ(3u, videos.size());
    EXPECT_EQ((Row{"길이 없는 영상", "00:00:00", "2014-01-02", ""}), Row(videos[1].begin(), videos[1].end() - 1));
    EXPECT_EQ((Row{"셋째 영상", "00:00:59", "2015-06-07", "300"}), Row(videos[2].begin(), videos[2].end() - 1));

    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_missing_creator.xml"));
    Dlg().LoadHumorBoard();
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ((std::vector<Row>{{"첫 글", "가나다", "http://example.invalid/1"},
                                {"작성자 없는 글", "", "http://example.invalid/2"},
                                {"셋째 글", "라마바", "http://example.invalid/3"}}),
              ListRows(Dlg().m_listHumor));
    // The board's own title is no post.
    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_channel_only.xml"));
    Dlg().LoadHumorBoard();
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ(0, Dlg().m_listHumor.GetItemCount());

    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_falling.xml"));
    Dlg().LoadSearchRank();
    ASSERT_TRUE(WaitForLoads());
    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_without_r1.xml"));
    EXPECT_EQ(CString("지금 네이버 검색어 1위는? 캠핑"), Dlg().m_editSearch.GetWindowText());
    Dlg().LoadSearchRank();
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ(CString("캠핑"), Dlg().m_strTopKeyword);
    EXPECT_EQ(CString("지금 네이버 검색어 1위는? 캠핑"), Dlg().m_editSearch.GetWindowText());
    // What the user typed stays, whatever the rank says.
    for (const char* fault : {"", "malformed", "empty", "close"}) {
        if (*fault) {
            ASSERT_TRUE(StandIn::SetFault("/search", fault));
        }
        Dlg().m_editSearch.SetWindowText("사용자 입력");
        Dlg().LoadSearchRank();
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(CString("캠핑"), Dlg().m_strTopKeyword) << fault;
        EXPECT_EQ(CString("사용자 입력"), Dlg().m_editSearch.GetWindowText()) << fault;
    }
    EXPECT_TRUE(RecordedBoxes().empty());

    // A failed download says so and must not list the copy an earlier channel
    // left; an error page that did download is just an empty list. The box
    // comes from the window's own thread, also when the section's worker loaded.
    Dlg().LoadChannelVideos("MBCentertainment");
    ASSERT_TRUE(WaitForLoads());
    ASSERT_EQ(15, Dlg().m_listChannel.GetItemCount());
    for (const char* fault : {"close", "404", "html"}) {
        ClearRecordedBoxes();
        ASSERT_TRUE(StandIn::SetFault("/rss/user/SMTOWN/videos.rss", fault));
        Dlg().LoadChannelVideos("SMTOWN");
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(0, Dlg().m_listChannel.GetItemCount()) << fault;
        PumpUntil([] { return !RecordedBoxes().empty(); }, 1000);  // shown from the window's own queue
        const std::vector<RecordedBox> boxes = RecordedBoxes();
        ASSERT_EQ(std::string(fault) == "html" ? 0u : 1u, boxes.size()) << fault;
        for (const RecordedBox& box : boxes) EXPECT_EQ("서버에서 응답이 없습니다. 잠시후 다시 시도해주세요.", box.text);
    }

    ClearRecordedBoxes();
    ASSERT_TRUE(StandIn::SetFault("/rss/user/MBCentertainment/videos.rss", "404"));
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(WaitForLoads());
    PumpFor(100);
    ASSERT_EQ(1u, RecordedBoxes().size());
    EXPECT_EQ(::GetCurrentThreadId(), RecordedBoxes()[0].thread);
}

}  // namespace
