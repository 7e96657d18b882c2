// Playing rows: the music clock, the transport buttons in each section, the
// video window and the humour board's links, driven through the real main
// window. The play modes at a track's end: the black-box test, on the clock's
// own timer.
#include <cstdio>

#include "player/VideoDlg.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/GuiObjects.h"

namespace {

const UINT_PTR kMusicTimer = 1;

class TransportTest : public OpenedMainWindowTest {
protected:
    void TearDown() override
    {
        EndStartedPrograms("iexplore.exe");
        OpenedMainWindowTest::TearDown();
    }

    void Tick() { Dlg().SendMessage(WM_TIMER, kMusicTimer, 0); }
    // Stops the clock's timer if it runs; false when none ran.
    bool ClockWasRunning() { return ::KillTimer(Dlg().m_hWnd, kMusicTimer) != FALSE; }
    std::string Caption() { return Dlg().GetWindowText().Str(); }
    // The chart shown, nothing playing.
    void LoadChart(const char* pszFile, int nRows)
    {
        ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", pszFile));
        ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_MUSIC));
        ASSERT_EQ(nRows, Dlg().m_listMusic.GetItemCount());
        Press(IDC_BTN_STOP);
        ASSERT_TRUE(StandIn::ClearLog());
    }
    // The player addresses the browsers fetched, without their queries, once there are `count`.
    std::vector<std::string> PlayerRequests(size_t count)
    {
        std::vector<std::string> paths;
        PumpUntil([&] { return StandIn::Log("GET /v/").size() >= count; }, 10000);
        for (const std::string& line : StandIn::Log("GET /v/")) paths.push_back(line.substr(4, line.find('?') - 4));
        return paths;
    }
    bool VideoWindowOpen() { return Dlg().m_pVideoDlg && ::IsWindow(Dlg().m_pVideoDlg->m_hWnd); }
    // The video window's caption, and the caption a row of a list gives it.
    std::string VideoTitle() { return Dlg().m_pVideoDlg->GetWindowText().Str(); }
    static std::string TitleOf(const CListCtrl& list, int nRow) { return "스텔론 - " + list.GetItemText(nRow, 0).Str(); }
    void OpenVideoRow(int nRow)
    {
        ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_SEARCH));
        ASSERT_GT(Dlg().m_listVideo.GetItemCount(), nRow);
        ASSERT_TRUE(StandIn::ClearLog());
        Notify(IDC_LIST_VIDEO, NM_DBLCLK, nRow);
        ASSERT_TRUE(VideoWindowOpen());
    }
};

TEST_F(TransportTest, DoubleClickedTrackPlaysWithItsClockInTheCaption)
{
    LoadChart("music_short.xml", 3);
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 1);
    EXPECT_EQ(1, Dlg().m_playList.m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());
    Tick();
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:01/00:03)", Caption());
    EXPECT_EQ((std::vector<std::string>{"/v/trk00000002"}), PlayerRequests(1));
}

TEST_F(TransportTest, PrevAndNextStepWithinTheChartAndStopEndsTheTrackItsClockAndItsPage)
{
    LoadChart("music_short.xml", 3);
    Dlg().m_playList.m_nMusicIndex = 0;
    Press(IDC_BTN_PREV);
    EXPECT_EQ("스텔론", Caption()) << "nothing before the first track";
    for (int id : {IDC_BTN_NEXT, IDC_BTN_NEXT, IDC_BTN_NEXT, IDC_BTN_PREV}) Press(id);
    EXPECT_EQ(1, Dlg().m_playList.m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());
    ASSERT_FALSE(PlayerRequests(1).empty());
    Press(IDC_BTN_STOP);
    EXPECT_EQ("스텔론", Caption());
    EXPECT_FALSE(ClockWasRunning());
    EXPECT_TRUE(PumpUntil([] { return Dlg().m_browser.GetLocationURL() == CString("about:blank"); }, 5000));
}

// Not an index a shorter reload left past the end, nor a row a worker has not
// finished yet: shown by the one request of the row that does play after them.
TEST_F(TransportTest, OnlyRowsThatAreThereAndFilledPlay)
{
    LoadChart("music_short.xml", 3);
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, -1);
    Notify(IDC_LIST_MUSIC, NM_CLICK, 2);
    LoadChart("music_uneven.xml", 2);
    Press(IDC_BTN_PLAY);
    Dlg().m_listMusic.InsertItem(2, "3. 제목");
    Press(IDC_BTN_PLAY);
    EXPECT_EQ("스텔론", Caption());
    EXPECT_FALSE(ClockWasRunning());

    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_SEARCH));
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, -1);
    const int nVideoRows = Dlg().m_listVideo.GetItemCount();
    Dlg().m_sections.m_nVideoIndex = nVideoRows;
    Press(IDC_BTN_PLAY);
    Dlg().m_listVideo.InsertItem(nVideoRows, "제목만 있는 줄");
    Press(IDC_BTN_PLAY);
    EXPECT_FALSE(VideoWindowOpen());

    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_MUSIC));
    ASSERT_TRUE(StandIn::ClearLog());
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 0);
    EXPECT_EQ((std::vector<std::string>{"/v/id000000001"}), PlayerRequests(1));
    ASSERT_TRUE(PumpPosted());
    EXPECT_EQ(1u, StandIn::Log("GET /v/").size());
}

TEST_F(TransportTest, VideoWindowOpensCentredOnTheWindowWithTheRowsTitle)
{
    OpenVideoRow(1);
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 1), VideoTitle());
    RECT rcVideo, rcMain;
    Dlg().m_pVideoDlg->GetWindowRect(&rcVideo);
    Dlg().GetWindowRect(&rcMain);
    EXPECT_NEAR(rcMain.left + rcMain.right, rcVideo.left + rcVideo.right, 2);
    EXPECT_NEAR(rcMain.top + rcMain.bottom, rcVideo.top + rcVideo.bottom, 2);
}

TEST_F(TransportTest, VideoWindowKeepsEscapeAndEnterFromClosingIt)
{
    OpenVideoRow(0);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        MSG msg = {Dlg().m_pVideoDlg->m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(Dlg().m_pVideoDlg->PreTranslateMessage(&msg)) << key;
    }
}

TEST_F(TransportTest, NextPlaysTheFollowingRowInTheSameVideoWindowAndHumourButtonsLeaveIt)
{
    OpenVideoRow(1);
    CVideoDlg* pVideo = Dlg().m_pVideoDlg;
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(pVideo, Dlg().m_pVideoDlg);
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 2), VideoTitle());
    const std::vector<std::string> paths = PlayerRequests(2);
    ASSERT_EQ(2u, paths.size());
    for (int row : {1, 2}) {
        EXPECT_NE(std::string::npos, Dlg().m_listVideo.GetItemText(row, 4).Str().find(paths[row - 1] + "?")) << row;
    }
    // The humour section's buttons do nothing.
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_HUMOR));
    for (int id : {IDC_BTN_PLAY, IDC_BTN_PREV, IDC_BTN_NEXT, IDC_BTN_STOP}) Press(id);
    EXPECT_EQ(pVideo, Dlg().m_pVideoDlg);
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 2), VideoTitle());
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_SEARCH));
    Press(IDC_BTN_STOP);
    EXPECT_TRUE(Dlg().m_pVideoDlg == nullptr);
}

// Read when the window is made, and only the exact word.
TEST_F(TransportTest, VideoWindowIsTopmostOnlyWhenTheSettingSaysTrue)
{
    for (const char* setting : {"false", "true", "TRUE"}) {
        WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "topmost", setting);
        OpenVideoRow(0);
        const bool bTopmost = ::GetWindowLongA(Dlg().m_pVideoDlg->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
        EXPECT_EQ(std::string(setting) == "true", bTopmost) << setting;
        EXPECT_TRUE(Dlg().m_pVideoDlg->IsWindowVisible()) << setting;
        Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE | 2, 0);
        EXPECT_FALSE(VideoWindowOpen()) << setting;
    }
}

// A fault once mended.
TEST_F(TransportTest, VideoWindowClosedByAnotherProgramIsMadeAgain)
{
    OpenVideoRow(0);
    const HWND hClosed = Dlg().m_pVideoDlg->m_hWnd;
    ::SendMessageA(hClosed, WM_CLOSE, 0, 0);
    // The dialog manager posts the cancel command.
    ASSERT_TRUE(PumpPosted());
    EXPECT_FALSE(::IsWindow(hClosed));
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 1);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 1), VideoTitle());
}

TEST_F(TransportTest, ChannelButtonsStepThroughTheChannelsRows)
{
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_CHANNEL));
    ASSERT_EQ(15, Dlg().m_listChannel.GetItemCount());
    Dlg().m_sections.m_nChannelIndex = 14;
    Press(IDC_BTN_NEXT);
    EXPECT_FALSE(VideoWindowOpen()) << "nothing after the last row";
    Press(IDC_BTN_PREV);
    EXPECT_EQ(13, Dlg().m_sections.m_nChannelIndex);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_EQ(TitleOf(Dlg().m_listChannel, 13), VideoTitle());
    Notify(IDC_LIST_CHANNEL, NM_DBLCLK, 3);
    EXPECT_EQ(TitleOf(Dlg().m_listChannel, 3), VideoTitle());
}

// The one place a feed's address goes to the shell: only a web address, and
// whole, as one argument of the browser (Wine's asks the server for the page).
TEST_F(TransportTest, HumourRowOpensOnlyAWebAddressWholeInTheBrowser)
{
    const std::string page = StandIn::Url("/humour/post?id=7&amp;x=a b");
    std::string board = "<rss><channel>";
    for (const std::string& link : {std::string("javascript:alert(1)"), page + "\" -private", page})
        board += "<item><title>글</title><link>" + link + "</link></item>";
    ASSERT_TRUE(StandIn::SetDocument("/zbxe/comedy/rss", board + "</channel></rss>"));
    ASSERT_TRUE(ShowSection(IDC_BTN_SECTION_HUMOR));
    ASSERT_EQ(3, Dlg().m_listHumor.GetItemCount());
    for (int row : {0, 1}) Notify(IDC_LIST_HUMOR, NM_DBLCLK, row);
    // The shell has started a program by the time it returns: none was.
    EXPECT_EQ(0, EndStartedPrograms("iexplore.exe"));
    Notify(IDC_LIST_HUMOR, NM_DBLCLK, 2);
    EXPECT_TRUE(PumpUntil([] { return !StandIn::Log("GET /humour/").empty(); }, 20000));
    EXPECT_EQ((std::vector<std::string>{"GET /humour/post?id=7&x=a%20b"}), StandIn::Log("GET /humour/"));
    EXPECT_EQ(1, EndStartedPrograms("iexplore.exe"));
}

TEST_F(TransportTest, GdiObjectsAndWindowsStayFlatOverAHundredVideoWindows)
{
    // The first window brings what the browser control keeps once it is used.
    OpenVideoRow(0);
    Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpPosted());
    const int gdiBefore = LiveGdiObjects();
    const int windowsBefore = ProcessWindows();
    ASSERT_GT(gdiBefore, 0);
    for (int i = 0; i < 100; ++i) {
        Notify(IDC_LIST_VIDEO, NM_DBLCLK, i % 2);
        ASSERT_TRUE(VideoWindowOpen());
        Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ASSERT_TRUE(PumpPosted());
    std::printf("GDI objects %d -> %d, windows %d -> %d\n", gdiBefore, LiveGdiObjects(), windowsBefore,
                ProcessWindows());
    // One made at each step would show a hundred or more; one a test before left may go meanwhile.
    EXPECT_LE(LiveGdiObjects(), gdiBefore);
    EXPECT_LE(ProcessWindows(), windowsBefore);
}

}  // namespace
