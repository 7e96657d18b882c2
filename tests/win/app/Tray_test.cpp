// The close box and the tray: hiding never ends the program, only a left press
// on our icon brings the window back, a right press opens the tray menu, the
// about commands answer with their box, and the icon outlives a restart of
// the shell.
#include <windows.h>

#include <shellapi.h>

#include <utility>

#include "tests/win/app/MainWindowHarness.h"

namespace {

using TrayTest = OpenedMainWindowTest;

// Also with the low bits the platform may set in the command (a fault once
// mended), and so does the hide command; the open command restores it.
TEST_F(TrayTest, CloseBoxHidesTheWindowWithoutEndingIt)
{
    const std::pair<UINT, WPARAM> hides[] = {{WM_SYSCOMMAND, SC_CLOSE}, {WM_SYSCOMMAND, SC_CLOSE | 3},
                                             {WM_COMMAND, ID_FILE_TRAY}};
    for (const auto& hide : hides) {
        SCOPED_TRACE(hide.second);
        Dlg().SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
        EXPECT_TRUE(Dlg().IsWindowVisible());
        Dlg().SendMessage(hide.first, hide.second, 0);
        // What the close posted runs before the window is judged.
        ASSERT_TRUE(PumpPosted());
        EXPECT_TRUE(::IsWindow(Dlg().m_hWnd));
        EXPECT_FALSE(Dlg().IsWindowVisible());
    }
}

TEST_F(TrayTest, OnlyALeftPressOnOurIconRestoresTheWindow)
{
    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    Dlg().SendMessage(WM_TRAY_NOTIFY, IDI_MAIN + 1, WM_LBUTTONDOWN);
    Dlg().SendMessage(WM_TRAY_NOTIFY, IDI_MAIN, WM_LBUTTONDBLCLK);
    Dlg().SendMessage(WM_TRAY_NOTIFY, IDI_MAIN, WM_MOUSEMOVE);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Dlg().SendMessage(WM_TRAY_NOTIFY, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(Dlg().IsWindowVisible());
}

// The tray menu as its loop shows it: read on a thread timer's tick inside
// that loop, then its about item chosen with the keys.
struct ShownMenu {
    std::vector<UINT> items;
    bool ownerInFront = false;
};
ShownMenu g_menu;

void CALLBACK ReadAndChooseAbout(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hMenu = ::FindWindowA("#32768", nullptr);
    if (!hMenu || !::IsWindowVisible(hMenu)) return;
    ::KillTimer(nullptr, nTimer);
    const HMENU hItems = reinterpret_cast<HMENU>(::SendMessageA(hMenu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(hItems); ++i) g_menu.items.push_back(::GetMenuItemID(hItems, i));
    g_menu.ownerInFront = g_pMainDlg && ::GetForegroundWindow() == g_pMainDlg->m_hWnd;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageA(hMenu, WM_KEYDOWN, key, 0);
}

// In front, so that a click elsewhere closes the menu. (Shown: Wine ends the
// menu of a hidden window at its first key.) Its about item, like the main
// menu's, answers with the product box over the window.
TEST_F(TrayTest, RightPressOnOurIconOpensTheTrayMenuWithTheWindowInFront)
{
    g_menu = {};
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 20, &ReadAndChooseAbout);
    Dlg().SendMessage(WM_TRAY_NOTIFY, IDI_MAIN, WM_RBUTTONDOWN);
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ((std::vector<UINT>{ID_TRAY_OPEN, 0, ID_TRAY_UPDATE, 0, ID_TRAY_SETTINGS, ID_TRAY_ABOUT, 0, ID_TRAY_EXIT}),
              g_menu.items);
    EXPECT_TRUE(g_menu.ownerInFront);
    ASSERT_TRUE(PumpPosted());
    ASSERT_EQ(1u, RecordedBoxes().size()) << "the chosen item's command";
    Dlg().SendMessage(WM_COMMAND, ID_HELP_ABOUT, 0);
    ASSERT_EQ(2u, RecordedBoxes().size());
    for (const RecordedBox& box : RecordedBoxes()) {
        EXPECT_EQ(0u, box.text.find("스텔론 7.0"));
        EXPECT_TRUE(box.ownedByMain);
    }
}

// The icon is added once the window has shown, so it is there after the
// start-up; a restarted shell has none (a fault once mended).
TEST_F(TrayTest, IconIsThereAfterTheStartUpAndAddedAgainWhenTheShellRestarts)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = Dlg().m_hWnd;
    nid.uID = IDI_MAIN;
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
    Dlg().SendMessage(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
}

}  // namespace
