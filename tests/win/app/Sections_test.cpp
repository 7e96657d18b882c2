// Section buttons, their workers and the tab strip under a burst of presses, on
// the real main window (the black-box test drives each section once).
#include <cstdlib>

#include "tests/win/app/MainWindowHarness.h"

namespace {

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

// The other lists are made hidden and stay so through the start-up's loads.
TEST_F(SectionsTest, OnlyTheVideoListIsOnScreenAfterTheStartUp)
{
    EXPECT_EQ(&Dlg().m_listVideo, VisibleList(Dlg()));
}

TEST_F(SectionsTest, BurstOfPressesSearchesAndTabChangesEndsConsistent)
{
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
    ASSERT_TRUE(WaitForLoads(120000));
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
