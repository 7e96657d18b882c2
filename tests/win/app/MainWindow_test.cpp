// The main window's start-up, key filter and end, driven through the real
// window against the stand-in server.
#include <gtest/gtest.h>

#include <fstream>

#include "app/MainDlg.h"
#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/StandInTest.h"

namespace {

const std::string kCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_";

class MainWindowTest : public StandInTest {
protected:
    MainWindowHarness m_harness;
};

TEST_F(MainWindowTest, StartUpCountsThenSearchesTheTopTermInOrder)
{
    ASSERT_TRUE(m_harness.Open());
    const std::vector<std::string> log = StandIn::Log();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(kCount + "execute&key=stel7", log[0]);
    EXPECT_EQ("GET /app/stel7/update/update.xml", log[1]);
    EXPECT_EQ(0u, log[2].find("GET /search?key="));
    EXPECT_NE(std::string::npos, log[2].find("&query=nexearch&target=rank"));
    EXPECT_EQ(0u, log[3].find("GET /feeds/api/videos?max-results=30&q="));
    EXPECT_EQ(0u, log[4].find("GET /search.atom?q="));
    // Both searches asked for the same term, the one the prompt shows.
    const std::string videoTerm = log[3].substr(log[3].find("&q=") + 3);
    EXPECT_FALSE(videoTerm.empty());
    EXPECT_EQ("GET /search.atom?q=" + videoTerm, log[4]);

    CMainDlg& dlg = m_harness.Dlg();
    const CString prompt = dlg.m_editSearch.GetWindowText();
    EXPECT_EQ(0, prompt.Find("지금 네이버 검색어 1위는? "));
    EXPECT_EQ(prompt, CString("지금 네이버 검색어 1위는? ") + dlg.m_strTopKeyword);
    EXPECT_GT(dlg.m_listVideo.GetItemCount(), 0);
    EXPECT_GT(dlg.m_listTweet.GetItemCount(), 0);
}

TEST_F(MainWindowTest, StartUpShowsTheSearchSectionInItsWindow)
{
    ASSERT_TRUE(m_harness.Open());
    CMainDlg& dlg = m_harness.Dlg();
    EXPECT_EQ(CString("스텔론"), dlg.GetWindowText());
    RECT rc;
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(1000, rc.right - rc.left);
    EXPECT_EQ(690, rc.bottom - rc.top);
    EXPECT_TRUE(dlg.m_listVideo.IsWindowVisible());
    for (CListCtrl* pHidden : {&dlg.m_listTweet, &dlg.m_listChannel, &dlg.m_listMusic, &dlg.m_listHumor}) {
        EXPECT_FALSE(pHidden->IsWindowVisible());
    }
    EXPECT_EQ((std::vector<std::string>{"유튜브 검색결과", "트위터 검색결과"}), TabTexts(dlg.m_tab));
    for (int id : {IDC_LIST_VIDEO, IDC_EDIT_SEARCH, IDC_BTN_SEARCH, IDC_LIST_TWEET, IDC_BTN_SECTION_CHANNEL,
                   IDC_BTN_SECTION_MUSIC, IDC_BTN_SECTION_HUMOR, IDC_BTN_SECTION_SEARCH, IDC_LIST_MUSIC, IDC_BROWSER,
                   IDC_BTN_PLAY, IDC_BTN_STOP, IDC_BTN_PREV, IDC_BTN_NEXT, IDC_TAB, IDC_LIST_CHANNEL,
                   IDC_LIST_HUMOR}) {
        EXPECT_TRUE(dlg.GetDlgItem(id) != nullptr) << id;
    }
    EXPECT_EQ(1, dlg.m_nSection.load());
    EXPECT_EQ(1, dlg.m_nTab);
    EXPECT_EQ(g_pMainDlg, &dlg);
}

TEST_F(MainWindowTest, ListsHaveTheirColumnsWithHiddenAddresses)
{
    ASSERT_TRUE(m_harness.Open());
    CMainDlg& dlg = m_harness.Dlg();
    struct Expected {
        CListCtrl* pList;
        std::vector<std::pair<std::string, int>> columns;
    };
    const Expected lists[] = {
        {&dlg.m_listVideo, {{"제목", 600}, {"재생시간", 100}, {"등록일", 100}, {"조회수", 100}, {"주소", 0}}},
        {&dlg.m_listTweet, {{"내용", 800}, {"작성자", 0}, {"등록일", 100}, {"주소", 0}}},
        {&dlg.m_listChannel, {{"제목", 600}, {"재생시간", 100}, {"추천수", 100}, {"조회수", 100}, {"주소", 0}}},
        {&dlg.m_listMusic,
         {{"제목", 300}, {"시간", 100}, {"가수", 100}, {"앨범", 300}, {"장르", 100}, {"주소", 0}}},
        {&dlg.m_listHumor, {{"제목", 700}, {"작성자", 200}, {"주소", 0}}},
    };
    for (const Expected& list : lists) {
        ASSERT_EQ(static_cast<int>(list.columns.size()), list.pList->GetColumnCount());
        for (size_t i = 0; i < list.columns.size(); ++i) {
            EXPECT_EQ(list.columns[i].first, list.pList->GetColumnHeading(static_cast<int>(i)).Str());
            EXPECT_EQ(list.columns[i].second, list.pList->GetColumnWidth(static_cast<int>(i)));
        }
    }
}

TEST_F(MainWindowTest, StartUpGoesOnWhenEveryServiceFails)
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

TEST_F(MainWindowTest, EscapeIsSwallowedAndEnterSearches)
{
    ASSERT_TRUE(m_harness.Open());
    CMainDlg& dlg = m_harness.Dlg();
    ASSERT_TRUE(StandIn::ClearLog());

    MSG escape = {dlg.m_editSearch.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(dlg.PreTranslateMessage(&escape));
    PumpFor(100);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_TRUE(StandIn::Log().empty());

    dlg.m_editSearch.SetWindowText("R&B 발라드");
    MSG enter = {dlg.m_editSearch.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(dlg.PreTranslateMessage(&enter));
    const std::vector<std::string> log = StandIn::Log();
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ(kCount + "search&key=stel7", log[0]);
    EXPECT_EQ("GET /feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C", log[1]);
    EXPECT_EQ("GET /search.atom?q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C", log[2]);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
}

TEST_F(MainWindowTest, EndingTheWindowDeletesTheChannelCopyAndKeepsOtherFiles)
{
    ASSERT_TRUE(m_harness.Open());
    const std::string tempDir = m_harness.Dlg().m_strTempDir.Str();
    ASSERT_FALSE(tempDir.empty());
    EXPECT_EQ('\\', tempDir.back());
    std::ofstream(tempDir + "vod.xml") << "<rss/>";
    std::ofstream(tempDir + "vod.xml.keep") << "x";
    m_harness.Dlg().SendMessage(WM_COMMAND, ID_FILE_EXIT);
    m_harness.Close();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((tempDir + "vod.xml").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((tempDir + "vod.xml.keep").c_str()));
    ::DeleteFileA((tempDir + "vod.xml.keep").c_str());
}

}  // namespace
