// Section buttons, their workers and the tab strip, on the real main window.
#include <cstdlib>

#include "tests/win/app/MainWindowHarness.h"

namespace {

const std::string kCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_";

// The one visible list, or null when there is not exactly one.
CListCtrl* VisibleList(CMainDlg& dlg)
{
    CListCtrl* pShown = nullptr;
    for (CListCtrl* pList :
         {&dlg.m_listVideo, &dlg.m_listTweet, &dlg.m_listChannel, &dlg.m_listMusic, &dlg.m_listHumor}) {
        if (!pList->IsWindowVisible()) continue;
        if (pShown) return nullptr;
        pShown = pList;
    }
    return pShown;
}

using SectionsTest = OpenedMainWindowTest;

TEST_F(SectionsTest, EachSectionLoadsAndShowsItsListTabsAndTransportAndABurstOfPressesEndsConsistent)
{
    const struct {
        const char* name;
        int button;
        std::vector<std::string> requests;  // beginnings, in order
        CListCtrl CMainDlg::*list;
        int tabs;
        bool transport;
    } sections[] = {
        // Pressing the shown section runs the whole switch again.
        {"search", IDC_BTN_SECTION_SEARCH,
         {kCount + "menu_search&", "GET /search?key=", "GET /feeds/api/videos?", "GET /search.atom?"},
         &CMainDlg::m_listVideo, 2, true},
        {"music", IDC_BTN_SECTION_MUSIC, {kCount + "menu_music&", "GET /app/stel7/config/music.xml"},
         &CMainDlg::m_listMusic, 1, true},
        {"humour", IDC_BTN_SECTION_HUMOR, {kCount + "menu_best&", "GET /zbxe/comedy/rss"}, &CMainDlg::m_listHumor, 1,
         false},
        {"channel", IDC_BTN_SECTION_CHANNEL, {kCount + "menu_vod&", "GET /rss/user/MBCentertainment/videos.rss"},
         &CMainDlg::m_listChannel, 11, true},
    };
    for (const auto& section : sections) {
        ASSERT_TRUE(StandIn::ClearLog());
        Press(section.button);
        ASSERT_TRUE(WaitForWorkers()) << section.name;
        const std::vector<std::string> log = StandIn::Log();
        ASSERT_EQ(section.requests.size(), log.size()) << section.name;
        for (size_t i = 0; i < log.size(); ++i) EXPECT_EQ(0u, log[i].find(section.requests[i])) << log[i];
        EXPECT_EQ(&(Dlg().*section.list), VisibleList(Dlg())) << section.name;
        EXPECT_GT((Dlg().*section.list).GetItemCount(), 0) << section.name;
        EXPECT_EQ(section.tabs, Dlg().m_tab.GetItemCount()) << section.name;
        EXPECT_EQ(section.transport, Dlg().m_btnPlay.IsWindowVisible() != FALSE) << section.name;
    }
    // The channel tabs load their own channel.
    for (const auto& [tab, id] : {std::make_pair(10, "jypentertainment"), std::make_pair(3, "Mnet")}) {
        ASSERT_TRUE(StandIn::ClearLog());
        ChooseTab(tab);
        EXPECT_EQ((std::vector<std::string>{std::string("GET /rss/user/") + id + "/videos.rss"}), StandIn::Log());
        EXPECT_EQ(15, Dlg().m_listChannel.GetItemCount()) << id;
    }

    // Dozens of presses within a second, mixed with searches and tab changes,
    // end with each list holding one complete load and the last section shown.
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
    EXPECT_EQ(&Dlg().m_listMusic, VisibleList(Dlg()));
    const auto music = ListRows(Dlg().m_listMusic);
    ASSERT_EQ(20u, music.size());
    for (size_t i = 0; i < music.size(); ++i) EXPECT_EQ(0u, music[i][0].find(std::to_string(i + 1) + ". "));
    // Every other list holds whole rows from one load: a full address column.
    for (CListCtrl* pList : {&Dlg().m_listVideo, &Dlg().m_listChannel, &Dlg().m_listHumor}) {
        for (const auto& row : ListRows(*pList)) EXPECT_FALSE(row.back().empty());
    }
    const int channelRows = Dlg().m_listChannel.GetItemCount();
    EXPECT_TRUE(channelRows == 0 || channelRows == 15) << channelRows;
}

}  // namespace
