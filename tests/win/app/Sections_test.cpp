// Section buttons, their workers and the tab strip, on the real main window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/MainDlg.h"
#include "res/resource.h"
#include "tests/win/app/OpenedMainWindowTest.h"

namespace {

const std::string kCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_";

class SectionsTest : public OpenedMainWindowTest {
protected:
    bool WaitForWorkers(DWORD ms = 30000)
    {
        return PumpUntil([this] { return Dlg().m_nLiveWorkers == 0; }, ms);
    }

    void ChooseTab(int nIndex)
    {
        Dlg().m_tab.SetCurSel(nIndex);
        NMHDR hdr = {Dlg().m_tab.m_hWnd, IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        Dlg().SendMessage(WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&hdr));
    }

    // Exactly one list is visible, and it is the one given.
    void ExpectOnlyVisible(CListCtrl& shown)
    {
        for (CListCtrl* pList : {&Dlg().m_listVideo, &Dlg().m_listTweet, &Dlg().m_listChannel, &Dlg().m_listMusic,
                                 &Dlg().m_listHumor}) {
            EXPECT_EQ(pList == &shown, pList->IsWindowVisible() != FALSE) << pList->GetDlgItem(0);
        }
    }

    bool TransportVisible()
    {
        return Dlg().m_btnPlay.IsWindowVisible() && Dlg().m_btnStop.IsWindowVisible() &&
               Dlg().m_btnPrev.IsWindowVisible() && Dlg().m_btnNext.IsWindowVisible();
    }
};

TEST_F(SectionsTest, ChannelSectionCountsFirstThenLoadsTheFirstChannel)
{
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(WaitForWorkers());
    const std::vector<std::string> log = StandIn::Log();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(kCount + "menu_vod&key=stel7", log[0]);
    EXPECT_EQ("GET /rss/user/MBCentertainment/videos.rss", log[1]);
    EXPECT_EQ((std::vector<std::string>{"MBC", "SBS", "tvN", "Mnet", "JTBC", "MBN", "채널A", "온게임넷",
                                        "SM Entertainment", "YG Entertainment", "JYP Entertainment"}),
              TabTexts(Dlg().m_tab));
    ExpectOnlyVisible(Dlg().m_listChannel);
    EXPECT_TRUE(TransportVisible());
    EXPECT_EQ(15, Dlg().m_listChannel.GetItemCount());
    EXPECT_EQ(2, Dlg().m_nSection.load());
}

TEST_F(SectionsTest, MusicAndHumourSectionsHaveOneTabAndTheirOwnTransport)
{
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ((std::vector<std::string>{"주간차트 TOP20"}), TabTexts(Dlg().m_tab));
    ExpectOnlyVisible(Dlg().m_listMusic);
    EXPECT_TRUE(TransportVisible());
    EXPECT_EQ(20, Dlg().m_listMusic.GetItemCount());

    Press(IDC_BTN_SECTION_HUMOR);
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ((std::vector<std::string>{"최신글목록"}), TabTexts(Dlg().m_tab));
    ExpectOnlyVisible(Dlg().m_listHumor);
    EXPECT_FALSE(Dlg().m_btnPlay.IsWindowVisible());
    EXPECT_GT(Dlg().m_listHumor.GetItemCount(), 0);

    const std::vector<std::string> counts = LoggedRequests(kCount);
    EXPECT_EQ((std::vector<std::string>{kCount + "menu_music&key=stel7", kCount + "menu_best&key=stel7"}), counts);

    // The one tab reloads its feed when chosen again.
    ASSERT_TRUE(StandIn::ClearLog());
    ChooseTab(0);
    EXPECT_EQ((std::vector<std::string>{"GET /zbxe/comedy/rss"}), StandIn::Log());
}

TEST_F(SectionsTest, PressingTheShownSectionRunsTheWholeSwitchAgain)
{
    Press(IDC_BTN_SECTION_SEARCH);
    ASSERT_TRUE(WaitForWorkers());
    const std::vector<std::string> log = StandIn::Log();
    ASSERT_EQ(4u, log.size());
    EXPECT_EQ(kCount + "menu_search&key=stel7", log[0]);
    EXPECT_EQ(0u, log[1].find("GET /search?key="));
    EXPECT_EQ(0u, log[2].find("GET /feeds/api/videos?"));
    EXPECT_EQ(0u, log[3].find("GET /search.atom?"));
    ExpectOnlyVisible(Dlg().m_listVideo);
    EXPECT_EQ((std::vector<std::string>{"유튜브 검색결과", "트위터 검색결과"}), TabTexts(Dlg().m_tab));
}

TEST_F(SectionsTest, EachChannelTabLoadsItsChannelOnTheWindowsThread)
{
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(WaitForWorkers());
    const char* ids[] = {"MBCentertainment", "entertainmentSBS", "TheChtvn",        "Mnet",
                         "JTBCentertainment", "mbn",             "mainchannela",    "TVOngamenet",
                         "SMTOWN",            "YGEntertainment", "jypentertainment"};
    for (int tab = 10; tab >= 0; --tab) {
        ASSERT_TRUE(StandIn::ClearLog());
        ChooseTab(tab);
        EXPECT_EQ((std::vector<std::string>{std::string("GET /rss/user/") + ids[tab] + "/videos.rss"}), StandIn::Log());
        EXPECT_EQ(15, Dlg().m_listChannel.GetItemCount()) << ids[tab];
    }
}

TEST_F(SectionsTest, WindowAnswersWhileASectionWorkerWaitsOnAHangingServer)
{
    ASSERT_TRUE(StandIn::SetFault("/app/stel7/config/music.xml", "hang"));
    const DWORD start = ::GetTickCount();
    Press(IDC_BTN_SECTION_MUSIC);
    PumpFor(300);
    EXPECT_EQ(1, Dlg().m_nLiveWorkers.load());
    Dlg().m_editSearch.SetWindowText("응답");
    EXPECT_EQ(CString("응답"), Dlg().m_editSearch.GetWindowText());
    Dlg().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_PLAY, BN_CLICKED), 0);
    EXPECT_LT(::GetTickCount() - start, 3000u);
    ASSERT_TRUE(StandIn::Reset());
    ASSERT_TRUE(WaitForWorkers());
    ExpectOnlyVisible(Dlg().m_listMusic);
}

TEST_F(SectionsTest, ClosingTheWindowMidLoadWaitsForTheWorkerAndEndsCleanly)
{
    ASSERT_TRUE(StandIn::SetFault("/zbxe/comedy/rss", "hang"));
    Press(IDC_BTN_SECTION_HUMOR);
    PumpFor(300);
    ASSERT_EQ(1, Dlg().m_nLiveWorkers.load());
    const DWORD start = ::GetTickCount();
    m_harness.Close();
    EXPECT_LT(::GetTickCount() - start, 20000u);
    EXPECT_EQ(0, Dlg().m_nLiveWorkers.load());
}

TEST_F(SectionsTest, MicroBlogTabHidesTransportAndASearchKeepsIt)
{
    ChooseTab(1);
    EXPECT_EQ(2, Dlg().m_nTab);
    ExpectOnlyVisible(Dlg().m_listTweet);
    EXPECT_FALSE(Dlg().m_btnPlay.IsWindowVisible());

    Dlg().m_editSearch.SetWindowText("고양이");
    Press(IDC_BTN_SEARCH);
    EXPECT_EQ(2, Dlg().m_nTab);
    ExpectOnlyVisible(Dlg().m_listTweet);
    EXPECT_EQ((std::vector<std::string>{"유튜브 검색결과", "트위터 검색결과"}), TabTexts(Dlg().m_tab));

    ChooseTab(0);
    EXPECT_EQ(1, Dlg().m_nTab);
    ExpectOnlyVisible(Dlg().m_listVideo);
    EXPECT_TRUE(TransportVisible());
}

TEST_F(SectionsTest, SearchingFromTheChannelSectionShowsTheVideoResults)
{
    Press(IDC_BTN_SECTION_CHANNEL);
    ASSERT_TRUE(WaitForWorkers());
    const HBITMAP channelPicture = Dlg().m_btnSectionChannel.m_bmpNormal.GetSafeHandle();
    Dlg().m_editSearch.SetWindowText("벚꽃");
    Press(IDC_BTN_SEARCH);
    EXPECT_EQ(1, Dlg().m_nSection.load());
    ExpectOnlyVisible(Dlg().m_listVideo);
    EXPECT_TRUE(TransportVisible());
    EXPECT_EQ(channelPicture, Dlg().m_btnSectionChannel.m_bmpNormal.GetSafeHandle());
    EXPECT_GT(Dlg().m_listVideo.GetItemCount(), 0);
}

TEST_F(SectionsTest, EmptySearchCountsThenAsksForATerm)
{
    const int rowsBefore = Dlg().m_listVideo.GetItemCount();
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForWorkers());
    ASSERT_TRUE(StandIn::ClearLog());
    ClearRecordedBoxes();
    Dlg().m_editSearch.SetWindowText("");
    Press(IDC_BTN_SEARCH);
    EXPECT_EQ((std::vector<std::string>{kCount + "search&key=stel7"}), StandIn::Log());
    const std::vector<RecordedBox> boxes = RecordedBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("검색어를 입력해주세요.", boxes[0].text);
    EXPECT_EQ("스텔론", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes[0].type & MB_ICONMASK);
    EXPECT_TRUE(boxes[0].ownedByMain);
    EXPECT_EQ(3, Dlg().m_nSection.load());
    EXPECT_EQ(rowsBefore, Dlg().m_listVideo.GetItemCount());
}

// Dozens of presses within a second, mixed with searches and tab changes,
// end with each list holding one complete load and the last section shown.
TEST_F(SectionsTest, BurstOfPressesEndsConsistent)
{
    const int buttons[] = {IDC_BTN_SECTION_SEARCH, IDC_BTN_SECTION_CHANNEL, IDC_BTN_SECTION_MUSIC,
                           IDC_BTN_SECTION_HUMOR};
    std::srand(7);
    for (int i = 0; i < 40; ++i) {
        Press(buttons[std::rand() % 4]);
        if (i % 9 == 4) {
            Dlg().m_editSearch.SetWindowText("벚꽃");
            Press(IDC_BTN_SEARCH);
        }
        if (i % 7 == 3) ChooseTab(std::rand() % 3);
        PumpFor(10);
    }
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForWorkers(120000));
    EXPECT_EQ(0, Dlg().m_nLiveWorkers.load());

    ExpectOnlyVisible(Dlg().m_listMusic);
    EXPECT_EQ((std::vector<std::string>{"주간차트 TOP20"}), TabTexts(Dlg().m_tab));
    const auto music = ListRows(Dlg().m_listMusic);
    ASSERT_EQ(20u, music.size());
    for (size_t i = 0; i < music.size(); ++i) {
        EXPECT_EQ(0u, music[i][0].find(std::to_string(i + 1) + ". ")) << music[i][0];
    }
    // Every other list holds whole rows from one load: a full address column.
    for (CListCtrl* pList : {&Dlg().m_listVideo, &Dlg().m_listChannel, &Dlg().m_listHumor}) {
        for (const auto& row : ListRows(*pList)) EXPECT_FALSE(row.back().empty());
    }
    const int channelRows = Dlg().m_listChannel.GetItemCount();
    EXPECT_TRUE(channelRows == 0 || channelRows == 15) << channelRows;
}

}  // namespace
