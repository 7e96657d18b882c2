// Each feed of the main window against documents that do and do not match the
// layout it expects, read back from the lists.
#include <gtest/gtest.h>

#include "app/MainDlg.h"
#include "res/resource.h"
#include "tests/win/app/OpenedMainWindowTest.h"

namespace {

const char kPlayerQuery[] = "?version=3&amp;autohide=1;autoplay=1;showinfo=0";

class FeedsTest : public OpenedMainWindowTest {
protected:
    std::string Player(const std::string& id) { return "http://" + Host() + "/v/" + id + kPlayerQuery; }
    static std::string Host() { return StandIn::Url("").substr(7); }
};

TEST_F(FeedsTest, RankTermKeepsTheWordWhateverItsMovement)
{
    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_falling.xml"));
    Dlg().LoadSearchRank();
    EXPECT_EQ(CString("캠핑"), Dlg().m_strTopKeyword);
    EXPECT_EQ(CString("지금 네이버 검색어 1위는? 캠핑"), Dlg().m_editSearch.GetWindowText());

    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_two_first.xml"));
    Dlg().LoadSearchRank();
    EXPECT_EQ(CString("news속보"), Dlg().m_strTopKeyword);
}

TEST_F(FeedsTest, RankDocumentWithoutFirstPlaceKeepsTheTermAndFailuresChangeNothing)
{
    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_falling.xml"));
    Dlg().LoadSearchRank();
    ASSERT_TRUE(StandIn::ServeFile("/search", "rank_without_r1.xml"));
    Dlg().m_editSearch.SetWindowText("사용자 입력");
    Dlg().LoadSearchRank();
    EXPECT_EQ(CString("캠핑"), Dlg().m_strTopKeyword);
    EXPECT_EQ(CString("지금 네이버 검색어 1위는? 캠핑"), Dlg().m_editSearch.GetWindowText());

    // Replies that do not parse. (The stand-in's error pages are well-formed
    // XHTML: they parse, hold no first place, and so rewrite the prompt.)
    for (const char* fault : {"malformed", "empty", "close"}) {
        ASSERT_TRUE(StandIn::SetFault("/search", fault));
        Dlg().m_editSearch.SetWindowText("사용자 입력");
        Dlg().LoadSearchRank();
        EXPECT_EQ(CString("캠핑"), Dlg().m_strTopKeyword) << fault;
        EXPECT_EQ(CString("사용자 입력"), Dlg().m_editSearch.GetWindowText()) << fault;
    }
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(FeedsTest, VideoEntryWithoutDurationGivesEmptyCellsOnItsOwnRow)
{
    ASSERT_TRUE(StandIn::ServeFile("/feeds/api/videos", "videos_uneven.xml"));
    Dlg().LoadVideoSearch("아무거나");
    const auto rows = ListRows(Dlg().m_listVideo);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"첫 영상", "01:02:05", "2013-05-04", "100", Player("aaaaaaaaaaa")}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"길이 없는 영상", "00:00:00", "2014-01-02", "", Player("bbbbbbbbbbb")}),
              rows[1]);
    EXPECT_EQ((std::vector<std::string>{"셋째 영상", "00:00:59", "2015-06-07", "300", Player("ccccccccccc")}), rows[2]);
}

TEST_F(FeedsTest, SearchRepliesThatAreNotFeedsLeaveTheListsEmptyAndSilent)
{
    for (const char* fault : {"html", "malformed", "empty", "404", "close"}) {
        ASSERT_TRUE(StandIn::SetFault("/feeds/api/videos", fault));
        ASSERT_TRUE(StandIn::SetFault("/search.atom", fault));
        Dlg().LoadVideoSearch("벚꽃");
        Dlg().LoadTweetSearch("벚꽃");
        EXPECT_EQ(0, Dlg().m_listVideo.GetItemCount()) << fault;
        EXPECT_EQ(0, Dlg().m_listTweet.GetItemCount()) << fault;
    }
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(FeedsTest, HangingSearchIsGivenUpAndTheWindowGoesOn)
{
    ASSERT_TRUE(StandIn::SetFault("/feeds/api/videos", "hang"));
    const DWORD start = ::GetTickCount();
    Dlg().LoadVideoSearch("벚꽃");
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_LT(elapsed, 25000u);
    EXPECT_EQ(0, Dlg().m_listVideo.GetItemCount());
    ASSERT_TRUE(StandIn::Reset());
    Dlg().LoadVideoSearch("벚꽃");
    EXPECT_GT(Dlg().m_listVideo.GetItemCount(), 0);
}

TEST_F(FeedsTest, MusicChartListsTwentySongsInOrderWithTheMusicPlayerAddress)
{
    Dlg().LoadMusicChart();
    const auto rows = ListRows(Dlg().m_listMusic);
    ASSERT_EQ(20u, rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(6u, rows[i].size());
        EXPECT_EQ(0u, rows[i][0].find(std::to_string(i + 1) + ". "));
        const std::string& url = rows[i][5];
        EXPECT_EQ(0u, url.find("http://" + Host() + "/v/"));
        EXPECT_EQ(url.size() - 36, url.find("?version=3&amp;autohide=1;autoplay=1")) << url;
    }
}

TEST_F(FeedsTest, MusicChartRowsStopAtTheShortestListAndNeedNames)
{
    ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_uneven.xml"));
    Dlg().LoadMusicChart();
    EXPECT_EQ(2, Dlg().m_listMusic.GetItemCount());
    ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_no_name.xml"));
    Dlg().LoadMusicChart();
    EXPECT_EQ(0, Dlg().m_listMusic.GetItemCount());
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/config/music.xml", "malformed"));
    Dlg().LoadMusicChart();
    EXPECT_EQ(0, Dlg().m_listMusic.GetItemCount());
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(FeedsTest, HumourPostWithoutAuthorLeavesTheOtherAuthorsInPlace)
{
    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_missing_creator.xml"));
    Dlg().LoadHumorBoard();
    const auto rows = ListRows(Dlg().m_listHumor);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"첫 글", "가나다", "http://example.invalid/1"}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"작성자 없는 글", "", "http://example.invalid/2"}), rows[1]);
    EXPECT_EQ((std::vector<std::string>{"셋째 글", "라마바", "http://example.invalid/3"}), rows[2]);

    ASSERT_TRUE(StandIn::ServeFile("/zbxe/comedy/rss", "humor_channel_only.xml"));
    Dlg().LoadHumorBoard();
    EXPECT_EQ(0, Dlg().m_listHumor.GetItemCount());
}

TEST_F(FeedsTest, ChannelFeedCutsItsDescriptionsAndLinks)
{
    ASSERT_TRUE(StandIn::ServeFile("/rss/user/Mnet/videos.rss", "channel_odd.xml"));
    Dlg().LoadChannelVideos("Mnet");
    const auto rows = ListRows(Dlg().m_listChannel);
    ASSERT_EQ(2u, rows.size());
    // No marker: the tail starts at byte 12 and nothing in it is followed by "<".
    EXPECT_EQ((std::vector<std::string>{"표지 없는 설명", "", "", "", Player("")}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"정상 항목", "04:12", "56 ratings", "1,234", Player("good12345ab")}), rows[1]);
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(FeedsTest, FailedChannelDownloadSaysSoAndListsNoStaleCopy)
{
    Dlg().LoadChannelVideos("MBCentertainment");
    ASSERT_EQ(15, Dlg().m_listChannel.GetItemCount());
    for (const char* fault : {"close", "404"}) {
        ClearRecordedBoxes();
        ASSERT_TRUE(StandIn::SetFault("/rss/user/SMTOWN/videos.rss", fault));
        Dlg().LoadChannelVideos("SMTOWN");
        EXPECT_EQ(0, Dlg().m_listChannel.GetItemCount()) << fault;
        PumpFor(100);  // the window shows the box from its own queue
        const std::vector<RecordedBox> boxes = RecordedBoxes();
        ASSERT_EQ(1u, boxes.size()) << fault;
        EXPECT_EQ("서버에서 응답이 없습니다. 잠시후 다시 시도해주세요.", boxes[0].text);
        EXPECT_EQ("스텔론", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes[0].type & MB_ICONMASK);
    }
}

TEST_F(FeedsTest, ChannelErrorPageIsAnEmptyListWithoutAMessage)
{
    ASSERT_TRUE(StandIn::SetFault("/rss/user/mbn/videos.rss", "html"));
    Dlg().LoadChannelVideos("mbn");
    EXPECT_EQ(0, Dlg().m_listChannel.GetItemCount());
    PumpFor(100);
    EXPECT_TRUE(RecordedBoxes().empty());
}

}  // namespace
