// Section buttons, their workers and the tab strip under a burst of presses,
// on the real main window (the black-box test drives each section once): one
// list on screen at every moment, and nothing left behind by a thousand switches.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/GuiObjects.h"

namespace {

const int kSectionButtons[] = {IDC_BTN_SECTION_SEARCH, IDC_BTN_SECTION_CHANNEL, IDC_BTN_SECTION_MUSIC,
                               IDC_BTN_SECTION_HUMOR};

// Lists with the visible style, besides `hExcept`.
int ListsShown(HWND hExcept = nullptr)
{
    int shown = 0;
    CMainDlg& dlg = *g_pMainDlg;
    for (CListCtrl* pList :
         {&dlg.m_listVideo, &dlg.m_listTweet, &dlg.m_listChannel, &dlg.m_listMusic, &dlg.m_listHumor}) {
        shown += pList->m_hWnd != hExcept && (::GetWindowLongA(pList->m_hWnd, GWL_STYLE) & WS_VISIBLE);
    }
    return shown;
}

// The most lists on screen while one of them was about to show.
int g_nMostShown = 0;

LRESULT CALLBACK NoteListsShown(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pCall->message == WM_SHOWWINDOW && pCall->wParam && g_pMainDlg &&
        ::GetParent(pCall->hwnd) == g_pMainDlg->m_hWnd) {
        char szClass[32] = {};
        ::GetClassNameA(pCall->hwnd, szClass, sizeof(szClass));
        if (std::string(szClass) == WC_LISTVIEWA) g_nMostShown = std::max(g_nMostShown, 1 + ListsShown(pCall->hwnd));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

using SectionsTest = OpenedMainWindowTest;

// Each list is shown only once the others are hidden: every way a list comes
// on screen, watched as it happens. After the start-up's loads only the video
// list is.
TEST_F(SectionsTest, AtNoMomentAreTwoListsOnScreen)
{
    EXPECT_EQ(1, ListsShown());
    EXPECT_TRUE(::GetWindowLongA(Dlg().m_listVideo.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    g_nMostShown = 0;
    const HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &NoteListsShown, nullptr, ::GetCurrentThreadId());
    ASSERT_TRUE(hHook);
    for (int nButton : kSectionButtons) ASSERT_TRUE(ShowSection(nButton));
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_SEARCH));
    for (int nTab : {1, 0, 1}) ChooseTab(nTab);
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_MUSIC));
    Dlg().m_editSearch.SetWindowText("벚꽃");
    Press(IDC_BTN_SEARCH);
    ASSERT_TRUE(WaitForLoads());
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(1, g_nMostShown);
    EXPECT_EQ(1, ListsShown());
}

// Dozens of presses mixed with searches and tab changes end with each list
// holding one complete load and the last section shown.
TEST_F(SectionsTest, BurstOfPressesSearchesAndTabChangesEndsConsistent)
{
    std::srand(7);
    for (int i = 0; i < 40; ++i) {
        Press(kSectionButtons[std::rand() % 4]);
        if (i % 9 == 4) {
            Dlg().m_editSearch.SetWindowText("벚꽃");
            Press(IDC_BTN_SEARCH);
        }
        if (i % 7 == 3) ChooseTab(std::rand() % 3);
        // Results that came back meanwhile are applied between presses.
        ASSERT_TRUE(PumpPosted());
    }
    Press(IDC_BTN_SECTION_MUSIC);
    ASSERT_TRUE(WaitForLoads(120000));
    EXPECT_EQ(1, ListsShown());
    EXPECT_TRUE(Dlg().m_listMusic.IsWindowVisible());
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

TEST_F(SectionsTest, GdiObjectsAndWindowsStayFlatOverAThousandSwitches)
{
    // One round first: what a section makes once is no leak.
    for (int nButton : kSectionButtons) ASSERT_TRUE(ShowSection(nButton));
    const int gdiBefore = LiveGdiObjects();
    const int windowsBefore = ProcessWindows();
    ASSERT_GT(gdiBefore, 0);
    for (int i = 0; i < 1000; ++i) Press(kSectionButtons[i % 4]);
    ASSERT_TRUE(WaitForLoads(120000));
    std::printf("GDI objects %d -> %d, windows %d -> %d\n", gdiBefore, LiveGdiObjects(), windowsBefore,
                ProcessWindows());
    // One made at each step would show a hundred or more; one a test before left may go meanwhile.
    EXPECT_LE(LiveGdiObjects(), gdiBefore);
    EXPECT_LE(ProcessWindows(), windowsBefore);
}

}  // namespace
