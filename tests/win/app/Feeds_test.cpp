// The main window's start-up, and each of its feeds against documents that do
// and do not match the layout it expects, read back from the lists.
#include "BuildConfig.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

using Row = std::vector<std::string>;

const char kNoResponse[] = "서버에서 응답이 없습니다. 잠시후 다시 시도해주세요.";

// The first start-up step hangs until the test lets it go: the window is up
// meanwhile, and a search typed then, queued behind the hanging count, runs
// after the start-up's own.
using HangingStartUpTest = StandInTest;

TEST_F(HangingStartUpTest, WindowAnswersItsTrayIconAndASearchTypedMeanwhileStaysOnScreen)
{
    SKIP_UNLESS_FIRST_MAIN_WINDOW();
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/analytics/request/count.php", "hang"));
    MainWindowHarness harness;
    ASSERT_TRUE(harness.Create());
    ASSERT_TRUE(PumpUntil([] { return StandIn::Log().size() == 1; }, 10000));
    CMainDlg& dlg = harness.Dlg();
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }, 5000));
    dlg.SendMessage(WM_TRAY_NOTIFY, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(0, dlg.m_listVideo.GetItemCount());

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

TEST_F(FeedsTest, VideoEntryMissingAnElementLeavesTheNextEntriesCellsInPlace)
{
    ASSERT_TRUE(StandIn::ServeFile("/feeds/api/videos", "videos_uneven.xml"));
    Dlg().LoadVideoSearch("아무거나");
    ASSERT_TRUE(WaitForLoads());
    const auto videos = ListRows(Dlg().m_listVideo);
    ASSERT_EQ(3u, videos.size());
    EXPECT_EQ((Row{"길이 없는 영상", "00:00:00", "2014-01-02", ""}), Row(videos[1].begin(), videos[1].end() - 1));
    EXPECT_EQ((Row{"셋째 영상", "00:00:59", "2015-06-07", "300"}), Row(videos[2].begin(), videos[2].end() - 1));
}

// The board's own title is no post.
TEST_F(FeedsTest, HumourPostWithoutAnAuthorLeavesTheOthersInPlace)
{
    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_channel_only.xml"));
    Dlg().LoadHumorBoard();
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ(0, Dlg().m_listHumor.GetItemCount());
    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_missing_creator.xml"));
    Dlg().LoadHumorBoard();
    ASSERT_TRUE(WaitForLoads());
    EXPECT_EQ((std::vector<Row>{{"첫 글", "가나다", "http://example.invalid/1"},
                                {"작성자 없는 글", "", "http://example.invalid/2"},
                                {"셋째 글", "라마바", "http://example.invalid/3"}}),
              ListRows(Dlg().m_listHumor));
}

// A rank without a first place keeps the term and the prompt; typed text
// stays whatever the rank says.
TEST_F(FeedsTest, RankKeepsTheTermAndTypedText)
{
    for (const char* file : {"rank_falling.xml", "rank_without_r1.xml", "rank_falling.xml"}) {
        ASSERT_TRUE(StandIn::ServeFile("/search", file));
        Dlg().LoadSearchRank();
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(CString("캠핑"), Dlg().m_sections.m_strTopKeyword) << file;
        EXPECT_EQ(CString("지금 네이버 검색어 1위는? 캠핑"), Dlg().m_editSearch.GetWindowText()) << file;
    }
    for (const char* fault : {"", "malformed", "empty", "close"}) {
        if (*fault) {
            ASSERT_TRUE(StandIn::SetFault("/search", fault));
        }
        Dlg().m_editSearch.SetWindowText("사용자 입력");
        Dlg().LoadSearchRank();
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(CString("캠핑"), Dlg().m_sections.m_strTopKeyword) << fault;
        EXPECT_EQ(CString("사용자 입력"), Dlg().m_editSearch.GetWindowText()) << fault;
    }
    EXPECT_TRUE(RecordedBoxes().empty());
}

// A failed download must not list the copy an earlier channel left; an error
// page that did download is just an empty list. The box comes from the
// window's thread, also for the section's own load (no channel named below).
TEST_F(FeedsTest, FailedChannelSaysSoAndListsNoEarlierCopy)
{
    Dlg().LoadChannelVideos("MBCentertainment");
    ASSERT_TRUE(WaitForLoads());
    ASSERT_EQ(15, Dlg().m_listChannel.GetItemCount());
    const struct {
        const char* fault;
        const char* channel;
    } cases[] = {{"close", "SMTOWN"}, {"404", "SMTOWN"}, {"html", "SMTOWN"}, {"404", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + (c.channel ? "" : " section"));
        ClearRecordedBoxes();
        ASSERT_TRUE(StandIn::SetFault(std::string("/rss/user/") + (c.channel ? c.channel : "MBCentertainment") +
                                          "/videos.rss",
                                      c.fault));
        if (c.channel) Dlg().LoadChannelVideos(c.channel);
        ASSERT_TRUE(c.channel ? WaitForLoads() : ShowSection(IDC_BTN_SECTION_CHANNEL));
        EXPECT_EQ(0, Dlg().m_listChannel.GetItemCount());
        // The box is posted when the result is in place.
        ASSERT_TRUE(PumpPosted());
        const std::vector<RecordedBox> boxes = RecordedBoxes();
        ASSERT_EQ(std::string(c.fault) == "html" ? 0u : 1u, boxes.size());
        for (const RecordedBox& box : boxes) {
            EXPECT_EQ(kNoResponse, box.text);
            EXPECT_EQ(::GetCurrentThreadId(), box.thread);
        }
    }
}

// A fetch that must see the server's newest document is never answered from
// a cache: each fetch's request reaches the server.
TEST_F(FeedsTest, EveryFetchAsksTheServer)
{
    const struct {
        const char* path;  // up to the query
        void (*fetch)(CMainDlg& dlg);
    } cases[] = {
        {"/app/stel7/config/music.xml", [](CMainDlg& dlg) { dlg.LoadMusicChart(); }},
        {"/zbxe/comedy/rss", [](CMainDlg& dlg) { dlg.LoadHumorBoard(); }},
        {"/search?", [](CMainDlg& dlg) { dlg.LoadSearchRank(); }},
        {"/app/stel7/update/update.xml", [](CMainDlg& dlg) { dlg.CheckUpdate(0); }},
        {"/app/stel7/advert/config.xml", [](CMainDlg& dlg) { dlg.CheckPopup(); }},
        {"/app/stel7/advert/config.xml", [](CMainDlg& dlg) { dlg.CheckToast(); }},
        {"/rss/user/SMTOWN/videos.rss", [](CMainDlg& dlg) { dlg.LoadChannelVideos("SMTOWN"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::string request = std::string("GET ") + c.path;
        ASSERT_TRUE(StandIn::Reset());
        c.fetch(Dlg());
        ASSERT_TRUE(WaitForLoads());
        c.fetch(Dlg());
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(2u, StandIn::Log(request).size());
    }
}

}  // namespace
