// The close box and the tray: hiding never ends the program, only a left press
// on our icon brings the window back, the about commands answer with their
// box, and the icon outlives a restart of the shell.
#include <windows.h>

#include <shellapi.h>

#include "tests/win/app/MainWindowHarness.h"

namespace {

const UINT kTrayMessage = 28000;

using TrayTest = OpenedMainWindowTest;

TEST_F(TrayTest, CloseBoxHidesWithoutEndingOnlyALeftPressOnOurIconRestoresAndTheIconComesBack)
{
    for (int id : {ID_HELP_ABOUT, ID_TRAY_ABOUT}) Dlg().SendMessage(WM_COMMAND, id, 0);
    ASSERT_EQ(2u, RecordedBoxes().size());
    for (const RecordedBox& box : RecordedBoxes()) {
        EXPECT_EQ(0u, box.text.find("스텔론 7.0"));
        EXPECT_TRUE(box.ownedByMain);
    }

    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    // What the close may have posted runs before the window is judged.
    PumpFor(500);
    EXPECT_TRUE(::IsWindow(Dlg().m_hWnd));
    EXPECT_FALSE(Dlg().IsWindowVisible());

    Dlg().SendMessage(kTrayMessage, IDI_MAIN + 1, WM_LBUTTONDOWN);
    Dlg().SendMessage(kTrayMessage, IDI_MAIN, WM_LBUTTONDBLCLK);
    Dlg().SendMessage(kTrayMessage, IDI_MAIN, WM_MOUSEMOVE);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Dlg().SendMessage(kTrayMessage, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(Dlg().IsWindowVisible());

    Dlg().SendMessage(WM_COMMAND, ID_FILE_TRAY, 0);
    PumpFor(100);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Dlg().SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
    EXPECT_TRUE(Dlg().IsWindowVisible());

    // Faults once mended: the close command with the platform's low bits set
    // hides too, and the icon is added again when the shell restarts.
    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE | 3, 0);
    PumpFor(200);
    EXPECT_TRUE(::IsWindow(Dlg().m_hWnd));
    EXPECT_FALSE(Dlg().IsWindowVisible());
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = Dlg().m_hWnd;
    nid.uID = IDI_MAIN;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
    Dlg().SendMessage(::RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
}

// The icon is added once the window has shown, not while it is made; by the
// end of the start-up it is there.
TEST_F(TrayTest, IconIsThereOnceTheStartUpHasRun)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = Dlg().m_hWnd;
    nid.uID = IDI_MAIN;
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &nid));
}

}  // namespace
