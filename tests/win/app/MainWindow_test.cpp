// The main window's start-up against the stand-in server.
#include "tests/win/app/MainWindowHarness.h"

namespace {

class MainWindowTest : public StandInTest {
protected:
    MainWindowHarness m_harness;
};

TEST_F(MainWindowTest, StartUpCountsThenSearchesTheTopTermInOrder)
{
    ASSERT_TRUE(m_harness.Open());
    const std::vector<std::string> log = StandIn::Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ("GET /app/stel7/analytics/request/count.php?mode=stel7_execute&key=stel7", log[0]);
    EXPECT_EQ(0u, log[1].find("GET /search?key="));
    EXPECT_EQ(0u, log[2].find("GET /feeds/api/videos?max-results=30&q="));
    // Both searches asked for the same term, the one the prompt shows.
    const std::string term = log[2].substr(log[2].find("&q=") + 3);
    EXPECT_FALSE(term.empty());
    EXPECT_EQ("GET /search.atom?q=" + term, log[3]);

    CMainDlg& dlg = m_harness.Dlg();
    EXPECT_FALSE(dlg.m_strTopKeyword.IsEmpty());
    EXPECT_EQ(CString("지금 네이버 검색어 1위는? ") + dlg.m_strTopKeyword, dlg.m_editSearch.GetWindowText());
    EXPECT_GT(dlg.m_listVideo.GetItemCount(), 0);
    EXPECT_GT(dlg.m_listTweet.GetItemCount(), 0);
    EXPECT_TRUE(dlg.m_listVideo.IsWindowVisible());
    EXPECT_FALSE(dlg.m_listTweet.IsWindowVisible());
}

TEST_F(MainWindowTest, StartUpGoesOnSilentlyWhenEveryServiceFails)
{
    ASSERT_TRUE(StandIn::SetFault("/search", "malformed"));
    ASSERT_TRUE(StandIn::SetFault("/feeds/api/videos", "404"));
    ASSERT_TRUE(StandIn::SetFault("/search.atom", "close"));
    ASSERT_TRUE(m_harness.Open());
    CMainDlg& dlg = m_harness.Dlg();
    EXPECT_TRUE(dlg.m_strTopKeyword.IsEmpty());
    EXPECT_EQ(0, dlg.m_listVideo.GetItemCount());
    EXPECT_EQ(0, dlg.m_listTweet.GetItemCount());
    EXPECT_TRUE(RecordedBoxes().empty());
    EXPECT_TRUE(dlg.IsWindowVisible());
}

}  // namespace
