// Playing rows: the music clock and play modes, the transport buttons in each
// section, and the video window, driven through the real main window.
#include "player/VideoDlg.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

class TransportTest : public OpenedMainWindowTest {
protected:
    static void SetSetting(const char* pszName, const char* pszValue)
    {
        WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, pszName, pszValue);
    }
    // Sent ticks of the music clock; the tests of its own timer pump instead.
    void Ticks(int n) { for (int i = 0; i < n; ++i) Dlg().SendMessage(WM_TIMER, 1, 0); }
    std::string Caption() { return Dlg().GetWindowText().Str(); }
    void LoadChart(const char* pszFile, int nRows)
    {
        ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", pszFile));
        Dlg().LoadMusicChart();
        ASSERT_TRUE(WaitForLoads());
        ASSERT_EQ(nRows, Dlg().m_listMusic.GetItemCount());
        Dlg().m_nSection = 3;
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
    bool VideoTopmost() { return ::GetWindowLongA(Dlg().m_pVideoDlg->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST; }
};

TEST_F(TransportTest, TrackPlaysByItsClockTheButtonsStepAndOnlyRowsThatAreThereAndFilledPlay)
{
    LoadChart("music_short.xml", 3);
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 1);
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());
    Ticks(1);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:01/00:03)", Caption());
    EXPECT_EQ((std::vector<std::string>{"/v/trk00000002"}), PlayerRequests(1));
    // The play modes at a track's end: the black-box test, on the clock's own timer.

    Press(IDC_BTN_STOP);
    Dlg().m_nMusicIndex = 0;
    Press(IDC_BTN_PREV);
    EXPECT_EQ("스텔론", Caption());
    for (int id : {IDC_BTN_NEXT, IDC_BTN_NEXT, IDC_BTN_NEXT, IDC_BTN_PREV}) Press(id);
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());
    Press(IDC_BTN_STOP);
    // The clock's own timer, not a sent tick: within a second and a half it would have ticked.
    PumpFor(1500);
    EXPECT_EQ("스텔론", Caption());
    EXPECT_EQ(CString("about:blank"), Dlg().m_browser.GetLocationURL());

    // A row plays only when it is there and its address is in: not an index a
    // shorter reload left past the end, nor a row a worker has not finished yet.
    ASSERT_TRUE(StandIn::ClearLog());
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, -1);
    Notify(IDC_LIST_MUSIC, NM_CLICK, 2);
    LoadChart("music_uneven.xml", 2);
    Press(IDC_BTN_PLAY);
    Dlg().m_listMusic.InsertItem(2, "3. 제목");
    Press(IDC_BTN_PLAY);

    Dlg().m_nSection = 1;
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, -1);
    const int nVideoRows = Dlg().m_listVideo.GetItemCount();
    Dlg().m_nVideoIndex = nVideoRows;
    Press(IDC_BTN_PLAY);
    Dlg().m_listVideo.InsertItem(nVideoRows, "제목만 있는 줄");
    Press(IDC_BTN_PLAY);
    PumpFor(1500);
    EXPECT_EQ("스텔론", Caption());
    EXPECT_FALSE(VideoWindowOpen());
    EXPECT_TRUE(StandIn::Log("GET /v/").empty());
}

TEST_F(TransportTest, VideoWindowOpensCentredOnceFollowsTheRowsKeepsItsKeysAndReadsTopmostWhenMade)
{
    Dlg().m_nSection = 1;
    ASSERT_GE(Dlg().m_listVideo.GetItemCount(), 3);
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 1);
    ASSERT_TRUE(VideoWindowOpen());
    CVideoDlg* pVideo = Dlg().m_pVideoDlg;
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 1), VideoTitle());
    RECT rcVideo, rcMain;
    pVideo->GetWindowRect(&rcVideo);
    Dlg().GetWindowRect(&rcMain);
    EXPECT_NEAR(rcMain.left + rcMain.right, rcVideo.left + rcVideo.right, 2);
    EXPECT_NEAR(rcMain.top + rcMain.bottom, rcVideo.top + rcVideo.bottom, 2);
    EXPECT_FALSE(VideoTopmost());
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        MSG msg = {pVideo->m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(pVideo->PreTranslateMessage(&msg)) << key;
    }

    Press(IDC_BTN_NEXT);
    EXPECT_EQ(pVideo, Dlg().m_pVideoDlg);
    EXPECT_EQ(TitleOf(Dlg().m_listVideo, 2), VideoTitle());
    const std::vector<std::string> paths = PlayerRequests(2);
    ASSERT_EQ(2u, paths.size());
    for (int row : {1, 2}) {
        EXPECT_NE(std::string::npos, Dlg().m_listVideo.GetItemText(row, 4).Str().find(paths[row - 1] + "?")) << row;
    }
    Press(IDC_BTN_STOP);
    EXPECT_TRUE(Dlg().m_pVideoDlg == nullptr);
    SetSetting("topmost", "true");
    Press(IDC_BTN_PLAY);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_TRUE(VideoTopmost());

    // A fault once mended: a window closed by another program is destroyed and made again.
    const HWND hClosed = Dlg().m_pVideoDlg->m_hWnd;
    ::SendMessageA(hClosed, WM_CLOSE, 0, 0);
    PumpFor(100);  // the dialog manager posts the cancel command
    EXPECT_FALSE(::IsWindow(hClosed));
    // Only the exact word.
    SetSetting("topmost", "TRUE");
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_TRUE(Dlg().m_pVideoDlg->IsWindowVisible());
    EXPECT_FALSE(VideoTopmost());
    Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    EXPECT_FALSE(VideoWindowOpen());

    // The channel section's buttons use its rows; the humour section's do nothing.
    Dlg().LoadChannelVideos("SMTOWN");
    ASSERT_TRUE(WaitForLoads());
    Dlg().m_nSection = 2;
    Dlg().m_nChannelIndex = 14;
    Press(IDC_BTN_NEXT);
    EXPECT_FALSE(VideoWindowOpen());
    Press(IDC_BTN_PREV);
    EXPECT_EQ(13, Dlg().m_nChannelIndex);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_EQ(TitleOf(Dlg().m_listChannel, 13), VideoTitle());
    Notify(IDC_LIST_CHANNEL, NM_DBLCLK, 3);
    EXPECT_EQ(TitleOf(Dlg().m_listChannel, 3), VideoTitle());
    Dlg().m_nSection = 4;
    for (int id : {IDC_BTN_PLAY, IDC_BTN_PREV, IDC_BTN_NEXT, IDC_BTN_STOP}) Press(id);
    EXPECT_TRUE(VideoWindowOpen());
}

}  // namespace
