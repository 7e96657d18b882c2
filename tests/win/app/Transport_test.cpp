// Playing rows: the music clock and play modes, the transport buttons in each
// section, and the video window, driven through the real main window.
#include <gtest/gtest.h>

#include "app/MainDlg.h"
#include "app/Registry.h"
#include "player/VideoDlg.h"
#include "res/resource.h"
#include "tests/win/app/OpenedMainWindowTest.h"

namespace {

class TransportTest : public OpenedMainWindowTest {
protected:
    void SetUp() override
    {
        WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "none");
        WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "topmost", "false");
        OpenedMainWindowTest::SetUp();
    }
    void TearDown() override
    {
        m_harness.Close();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        OpenedMainWindowTest::TearDown();
    }

    void Notify(int nList, UINT code, int nRow)
    {
        NMITEMACTIVATE item = {};
        item.hdr.hwndFrom = Dlg().GetDlgItem(nList);
        item.hdr.idFrom = static_cast<UINT_PTR>(nList);
        item.hdr.code = code;
        item.iItem = nRow;
        Dlg().SendMessage(WM_NOTIFY, static_cast<WPARAM>(nList), reinterpret_cast<LPARAM>(&item));
    }
    void Tick() { Dlg().SendMessage(WM_TIMER, 1, 0); }
    std::string Caption() { return Dlg().GetWindowText().Str(); }

    void LoadShortChart()
    {
        ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_short.xml"));
        Dlg().LoadMusicChart();
        ASSERT_EQ(3, Dlg().m_listMusic.GetItemCount());
        Dlg().m_nSection = 3;
    }

    // The player addresses the browsers fetched, in order.
    std::vector<std::string> PlayerRequests(DWORD waitMs, size_t atLeast)
    {
        std::vector<std::string> requests;
        PumpUntil(
            [&] {
                requests = LoggedRequests("GET /v/");
                return requests.size() >= atLeast;
            },
            waitMs);
        return requests;
    }

    bool VideoWindowOpen() { return Dlg().m_pVideoDlg && ::IsWindow(Dlg().m_pVideoDlg->m_hWnd); }
};

TEST_F(TransportTest, DoubleClickedTrackShowsItsClockInTheCaption)
{
    LoadShortChart();
    ASSERT_TRUE(StandIn::ClearLog());
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 1);
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());
    // The focused state is the list's callback state: only the selection is stored.
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), Dlg().m_listMusic.GetItemState(1, LVIS_SELECTED));
    EXPECT_EQ(0u, Dlg().m_listMusic.GetItemState(0, LVIS_SELECTED));
    Tick();
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:01/00:03)", Caption());
    const auto requests = PlayerRequests(10000, 1);
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("GET /v/trk00000002?version=3&amp;autohide=1;autoplay=1", requests[0]);

    // A title without a rank shows whole.
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 2);
    EXPECT_EQ("스텔론 - 셋째곡 순위없음 - 가수다(00:00/3:00)", Caption());
}

TEST_F(TransportTest, TrackEndsByThePlayModeReadAtThatMoment)
{
    LoadShortChart();
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 0);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ("스텔론", Caption());

    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "loop");
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 0);
    for (int i = 0; i < 3; ++i) Tick();
    EXPECT_EQ("스텔론 - 첫곡 - 가수가(00:00/00:03)", Caption());
    EXPECT_EQ(0, Dlg().m_nMusicIndex);

    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "continuity");
    for (int i = 0; i < 3; ++i) Tick();
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());

    // The last row wraps to the first.
    Dlg().m_nMusicIndex = 1;
    Notify(IDC_LIST_MUSIC, NM_CLICK, 1);
    ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_uneven.xml"));
    Dlg().LoadMusicChart();
    ASSERT_EQ(2, Dlg().m_listMusic.GetItemCount());
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 1);
    Dlg().m_nPlayMinutes = 3;
    Dlg().m_nPlaySeconds = 60;
    Tick();
    EXPECT_EQ(0, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 하나 - 가수1(00:00/03:00)", Caption());
}

TEST_F(TransportTest, RandomModeDrawsOnlyAmongTheRowsThatExist)
{
    LoadShortChart();
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "random");
    for (int round = 0; round < 5; ++round) {
        Notify(IDC_LIST_MUSIC, NM_DBLCLK, 0);
        for (int i = 0; i < 3; ++i) Tick();
        const std::string caption = Caption();
        EXPECT_EQ(0u, caption.find("스텔론 - ")) << caption;
        EXPECT_NE(std::string::npos, caption.find("(00:00/")) << caption;
        EXPECT_EQ(0, Dlg().m_nMusicIndex);
    }
}

TEST_F(TransportTest, ClockThatNeverMatchesRunsOnAndWrapsTheHour)
{
    LoadShortChart();
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, 2);
    Dlg().m_nPlayMinutes = 59;
    Dlg().m_nPlaySeconds = 59;
    Tick();
    EXPECT_EQ("스텔론 - 셋째곡 순위없음 - 가수다(59:59/3:00)", Caption());
    Tick();
    EXPECT_EQ("스텔론 - 셋째곡 순위없음 - 가수다(00:00/3:00)", Caption());
}

TEST_F(TransportTest, MusicButtonsNeverWrapAndStopSilences)
{
    LoadShortChart();
    Dlg().m_nMusicIndex = 0;
    Press(IDC_BTN_PREV);
    EXPECT_EQ("스텔론", Caption());
    Press(IDC_BTN_NEXT);
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(2, Dlg().m_nMusicIndex);
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(2, Dlg().m_nMusicIndex);
    Press(IDC_BTN_PREV);
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론 - 둘째곡 - 가수나(00:00/00:03)", Caption());

    ASSERT_TRUE(StandIn::ClearLog());
    Press(IDC_BTN_STOP);
    EXPECT_EQ("스텔론", Caption());
    PumpFor(300);
    EXPECT_EQ(CString("about:blank"), Dlg().m_browser.GetLocationURL());
}

TEST_F(TransportTest, RowsThatDoNotExistPlayNothing)
{
    LoadShortChart();
    ASSERT_TRUE(StandIn::ClearLog());
    Notify(IDC_LIST_MUSIC, NM_DBLCLK, -1);
    EXPECT_EQ(-1, Dlg().m_nMusicIndex);
    EXPECT_EQ("스텔론", Caption());
    Press(IDC_BTN_PLAY);
    Dlg().m_nMusicIndex = 7;
    Press(IDC_BTN_PLAY);
    Press(IDC_BTN_NEXT);
    EXPECT_EQ("스텔론", Caption());

    Dlg().m_nSection = 1;
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, -1);
    EXPECT_EQ(-1, Dlg().m_nVideoIndex);
    Press(IDC_BTN_PLAY);
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 5000);
    EXPECT_FALSE(VideoWindowOpen());
    Notify(IDC_LIST_HUMOR, NM_DBLCLK, -1);
    PumpFor(200);
    EXPECT_TRUE(LoggedRequests("GET /v/").empty());
}

TEST_F(TransportTest, VideoWindowOpensOnceAndFollowsTheCurrentRow)
{
    Dlg().m_nSection = 1;
    ASSERT_GE(Dlg().m_listVideo.GetItemCount(), 3);
    ASSERT_TRUE(StandIn::ClearLog());
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 1);
    ASSERT_TRUE(VideoWindowOpen());
    CVideoDlg* pVideo = Dlg().m_pVideoDlg;
    EXPECT_EQ(CString("스텔론 - ") + Dlg().m_listVideo.GetItemText(1, 0), pVideo->GetWindowText());
    RECT rcVideo;
    pVideo->GetWindowRect(&rcVideo);
    EXPECT_EQ(800, rcVideo.right - rcVideo.left);
    EXPECT_EQ(478, rcVideo.bottom - rcVideo.top);
    RECT rcMain;
    Dlg().GetWindowRect(&rcMain);
    EXPECT_NEAR((rcMain.left + rcMain.right) / 2, (rcVideo.left + rcVideo.right) / 2, 1);
    EXPECT_NEAR((rcMain.top + rcMain.bottom) / 2, (rcVideo.top + rcVideo.bottom) / 2, 1);
    EXPECT_FALSE(::GetWindowLongA(pVideo->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const std::string url1 = Dlg().m_listVideo.GetItemText(1, 4).Str();
    const std::string url2 = Dlg().m_listVideo.GetItemText(2, 4).Str();
    const std::string path1 = url1.substr(url1.find("/v/"));
    const std::string path2 = url2.substr(url2.find("/v/"));
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(2, Dlg().m_nVideoIndex);
    EXPECT_EQ(pVideo, Dlg().m_pVideoDlg);
    EXPECT_EQ(CString("스텔론 - ") + Dlg().m_listVideo.GetItemText(2, 0), pVideo->GetWindowText());
    const auto requests = PlayerRequests(10000, 2);
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ("GET " + path1.substr(0, path1.find('?')), requests[0].substr(0, requests[0].find('?')));
    EXPECT_EQ("GET " + path2.substr(0, path2.find('?')), requests[1].substr(0, requests[1].find('?')));

    Press(IDC_BTN_STOP);
    EXPECT_TRUE(Dlg().m_pVideoDlg == nullptr);
    Press(IDC_BTN_STOP);
    Press(IDC_BTN_PLAY);
    EXPECT_TRUE(VideoWindowOpen());
}

TEST_F(TransportTest, VideoButtonsStopAtBothEndsInBothVideoSections)
{
    Dlg().m_nSection = 1;
    const int rows = Dlg().m_listVideo.GetItemCount();
    ASSERT_GT(rows, 1);
    Dlg().m_nVideoIndex = 0;
    Press(IDC_BTN_PREV);
    EXPECT_EQ(0, Dlg().m_nVideoIndex);
    EXPECT_FALSE(VideoWindowOpen());
    Dlg().m_nVideoIndex = rows - 1;
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(rows - 1, Dlg().m_nVideoIndex);
    EXPECT_FALSE(VideoWindowOpen());

    Dlg().LoadChannelVideos("SMTOWN");
    Dlg().m_nSection = 2;
    Dlg().m_nChannelIndex = 14;
    Press(IDC_BTN_NEXT);
    EXPECT_EQ(14, Dlg().m_nChannelIndex);
    Press(IDC_BTN_PREV);
    EXPECT_EQ(13, Dlg().m_nChannelIndex);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_EQ(CString("스텔론 - ") + Dlg().m_listChannel.GetItemText(13, 0), Dlg().m_pVideoDlg->GetWindowText());

    Notify(IDC_LIST_CHANNEL, NM_DBLCLK, 3);
    EXPECT_EQ(3, Dlg().m_nChannelIndex);
    EXPECT_EQ(CString("스텔론 - ") + Dlg().m_listChannel.GetItemText(3, 0), Dlg().m_pVideoDlg->GetWindowText());

    Dlg().m_nSection = 4;
    for (int id : {IDC_BTN_PLAY, IDC_BTN_PREV, IDC_BTN_NEXT, IDC_BTN_STOP}) Press(id);
    EXPECT_TRUE(VideoWindowOpen());
}

TEST_F(TransportTest, ClosedVideoWindowIsMadeAgainFreshAndCentred)
{
    Dlg().m_nSection = 1;
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    CVideoDlg* pVideo = Dlg().m_pVideoDlg;
    pVideo->MoveWindow(10, 10, 500, 300);
    MSG escape = {pVideo->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    MSG enter = {pVideo->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(pVideo->PreTranslateMessage(&escape));
    EXPECT_TRUE(pVideo->PreTranslateMessage(&enter));
    EXPECT_TRUE(VideoWindowOpen());

    pVideo->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(VideoWindowOpen());
    Press(IDC_BTN_STOP);
    EXPECT_TRUE(Dlg().m_pVideoDlg == nullptr);

    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "topmost", "true");
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    RECT rc;
    Dlg().m_pVideoDlg->GetWindowRect(&rc);
    EXPECT_EQ(800, rc.right - rc.left);
    EXPECT_EQ(478, rc.bottom - rc.top);
    EXPECT_TRUE(::GetWindowLongA(Dlg().m_pVideoDlg->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // The user closes it; the next double click makes a new one.
    Dlg().m_pVideoDlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "topmost", "TRUE");
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 1);
    ASSERT_TRUE(VideoWindowOpen());
    EXPECT_FALSE(::GetWindowLongA(Dlg().m_pVideoDlg->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(TransportTest, VideoWindowKeepsItsMinimumSizeAndBrowserPlace)
{
    Dlg().m_nSection = 1;
    Notify(IDC_LIST_VIDEO, NM_DBLCLK, 0);
    ASSERT_TRUE(VideoWindowOpen());
    CVideoDlg* pVideo = Dlg().m_pVideoDlg;
    MINMAXINFO info = {};
    pVideo->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(370, info.ptMinTrackSize.x);
    EXPECT_EQ(240, info.ptMinTrackSize.y);

    pVideo->MoveWindow(100, 100, 640, 400);
    RECT rcBrowser;
    pVideo->m_browser.GetWindowRect(&rcBrowser);
    pVideo->ScreenToClient(&rcBrowser);
    EXPECT_EQ(-2, rcBrowser.left);
    EXPECT_EQ(-2, rcBrowser.top);
    EXPECT_EQ(640 - 12, rcBrowser.right - rcBrowser.left);
    EXPECT_EQ(400 - 34, rcBrowser.bottom - rcBrowser.top);
}

}  // namespace
