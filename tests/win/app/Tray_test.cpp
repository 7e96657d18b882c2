// The close box and the tray: hiding never ends the program, only a left press
// on our icon brings the window back, and the about commands answer with their box.
#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

const UINT kTrayMessage = 28000;

class TrayTest : public OpenedMainWindowTest {};

TEST_F(TrayTest, CloseBoxHidesWithoutEndingAndOnlyALeftPressOnOurIconRestores)
{
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

    // A fault once mended: the close command with the platform's low bits set hides too.
    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE | 3, 0);
    PumpFor(200);
    EXPECT_TRUE(::IsWindow(Dlg().m_hWnd));
    EXPECT_FALSE(Dlg().IsWindowVisible());
}

TEST_F(TrayTest, BothAboutCommandsShowTheAboutBox)
{
    for (int id : {ID_HELP_ABOUT, ID_TRAY_ABOUT}) Dlg().SendMessage(WM_COMMAND, id, 0);
    ASSERT_EQ(2u, RecordedBoxes().size());
    for (const RecordedBox& box : RecordedBoxes()) {
        EXPECT_EQ(0u, box.text.find("스텔론 7.0"));
        EXPECT_TRUE(box.ownedByMain);
    }
}

}  // namespace
