// The real program, run as separate processes: the single-instance rule, the
// modal loop's key filter, and the exit command.
#include <algorithm>
#include <fstream>
#include <set>

#include "tests/win/app/ProgramDriver.h"

namespace {

using ProgramTest = ProgramDriverTest;

TEST_F(ProgramTest, SecondCopySaysSoAndEndsAndTheFirstFiltersKeysAndEndsByItsExitCommand)
{
    char tempDir[MAX_PATH] = {};
    const std::string copy = std::string(tempDir, ::GetTempPathA(MAX_PATH, tempDir)) + "vod.xml";
    std::ofstream(copy) << "<rss/>";

    ChildProcess first;
    const HWND hMain = StartAndWaitForStartUp(first);
    ASSERT_TRUE(hMain != nullptr);
    ASSERT_TRUE(StandIn::ClearLog());

    ChildProcess second;
    ASSERT_TRUE(StartProgram(second));
    const HWND hBox = WaitForDialog(second);
    ASSERT_TRUE(hBox != nullptr);
    char text[64] = {};
    ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof(text));
    EXPECT_STREQ("스텔론 현재 실행 중입니다.", text);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(StandIn::Log().empty());

    // Escape must not end the window; Enter searches with the term encoded.
    const HWND hEdit = ::GetDlgItem(hMain, IDC_EDIT_SEARCH);
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("R&B 발라드"));
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([] { return StandIn::Log().size() >= 3; }, 10000));
    EXPECT_EQ((std::vector<std::string>{"GET /app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7",
                                        "GET /feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C",
                                        "GET /search.atom?q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C"}),
              StandIn::Log());
    EXPECT_TRUE(::IsWindowVisible(hMain));

    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(first.WaitExit(10000));
    EXPECT_EQ(0u, first.ExitCode());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(copy.c_str()));
}

// A user at the real window, and what the vendor's server sees: the start-up,
// every section and channel tab, a track's clock and its end in each play
// mode, the settings dialog's choice taking effect, the tray.
TEST_F(ProgramTest, UserDrivesEverySectionTheMusicClockTheSettingsAndTheTray)
{
    ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_short.xml"));
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "none");
    ChildProcess program;
    const HWND hMain = StartAndWaitForStartUp(program);
    ASSERT_TRUE(hMain != nullptr);
    const std::vector<std::string> startUp = StandIn::Log();
    ASSERT_EQ(6u, startUp.size());
    EXPECT_EQ("GET /app/stel7/analytics/request/count.php?mode=stel7_execute&key=stel7", startUp[0]);
    EXPECT_EQ("GET /app/stel7/update/update.xml", startUp[1]);
    EXPECT_EQ(0u, startUp[2].find("GET /search?key="));
    EXPECT_EQ(0u, startUp[3].find("GET /feeds/api/videos?max-results=30&q="));
    // Both searches ask for the rank's first term, which the prompt shows.
    const std::string term = startUp[3].substr(startUp[3].find("&q=") + 3);
    EXPECT_FALSE(term.empty());
    EXPECT_EQ("GET /search.atom?q=" + term, startUp[4]);
    EXPECT_EQ("GET /app/stel7/advert/config.xml", startUp[5]);
    char prompt[256] = {};
    ::SendMessageA(::GetDlgItem(hMain, IDC_EDIT_SEARCH), WM_GETTEXT, sizeof(prompt), reinterpret_cast<LPARAM>(prompt));
    EXPECT_EQ(0u, std::string(prompt).find("지금 네이버 검색어 1위는? ")) << prompt;
    EXPECT_GT(Rows(hMain, IDC_LIST_VIDEO), 0);
    EXPECT_GT(Rows(hMain, IDC_LIST_TWEET), 0);
    // A themed button paints over the background the window gives it; a
    // background with the button left out showed as a black box.
    RECT rc;
    ::GetWindowRect(::GetDlgItem(hMain, IDC_BTN_PLAY), &rc);
    const HDC hScreen = ::GetDC(nullptr);
    EXPECT_NE(RGB(0, 0, 0), ::GetPixel(hScreen, (rc.left + rc.right) / 2, rc.top + 3));
    ::ReleaseDC(nullptr, hScreen);

    // Each section counts its press, then loads and shows its list alone, its
    // tabs, and the transport buttons where they apply; pressing the section
    // on screen runs its switch again.
    const struct {
        int button, list, tabs;
        bool transport;
        const char* event;
        const char* request;
    } sections[] = {
        {IDC_BTN_SECTION_SEARCH, IDC_LIST_VIDEO, 2, true, "menu_search", "GET /search.atom"},
        {IDC_BTN_SECTION_CHANNEL, IDC_LIST_CHANNEL, 11, true, "menu_vod", "GET /rss/user/"},
        {IDC_BTN_SECTION_HUMOR, IDC_LIST_HUMOR, 1, false, "menu_best", "GET /zbxe/comedy/rss"},
        {IDC_BTN_SECTION_MUSIC, IDC_LIST_MUSIC, 1, true, "menu_music", "GET /app/stel7/config/music.xml"},
    };
    const int lists[] = {IDC_LIST_VIDEO, IDC_LIST_TWEET, IDC_LIST_CHANNEL, IDC_LIST_MUSIC, IDC_LIST_HUMOR};
    const HWND hTab = ::GetDlgItem(hMain, IDC_TAB);
    for (const auto& section : sections) {
        SCOPED_TRACE(section.request);
        ASSERT_TRUE(StandIn::ClearLog());
        Click(hMain, section.button);
        EXPECT_TRUE(PumpUntil(
            [&] {
                return !StandIn::Log(section.request).empty() && Rows(hMain, section.list) > 0 &&
                       Shown(hMain, section.list);
            },
            20000));
        EXPECT_EQ("GET /app/stel7/analytics/request/count.php?mode=stel7_" + std::string(section.event) + "&key=stel7",
                  StandIn::Log().front());
        EXPECT_EQ(1, std::count_if(std::begin(lists), std::end(lists), [&](int nList) { return Shown(hMain, nList); }));
        EXPECT_EQ(section.transport, Shown(hMain, IDC_BTN_PLAY));
        EXPECT_EQ(section.tabs, ::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
        if (section.button != IDC_BTN_SECTION_CHANNEL) continue;
        // Each channel tab loads a channel of its own.
        std::set<std::string> channels = {StandIn::Log("GET /rss/user/").front()};
        for (int tab = 1; tab < section.tabs; ++tab) {
            ASSERT_TRUE(StandIn::ClearLog());
            ::PostMessageA(hTab, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
            EXPECT_TRUE(PumpUntil([] { return !StandIn::Log("GET /rss/user/").empty(); }, 20000));
            channels.insert(StandIn::Log("GET /rss/user/").front());
        }
        EXPECT_EQ(static_cast<size_t>(section.tabs), channels.size());
    }
    ASSERT_EQ(3, Rows(hMain, IDC_LIST_MUSIC));

    // The first track plays with its clock in the caption; without a play mode it ends there.
    Click(hMain, IDC_BTN_PLAY);
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain) == "스텔론 - 첫곡 - 가수가(00:01/00:03)"; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain) == "스텔론"; }, 5000));

    // Repeat, chosen in the settings dialog and confirmed: the track starts again.
    ::PostMessageA(hMain, WM_COMMAND, ID_TOOLS_SETTINGS, 0);
    const HWND hSettings = WaitForDialog(program, [](HWND hWnd) { return ::GetDlgItem(hWnd, IDC_COMBO_MUSIC); });
    ASSERT_TRUE(hSettings != nullptr);
    ::SendMessageA(::GetDlgItem(hSettings, IDC_COMBO_MUSIC), CB_SETCURSEL, 1, 0);
    Click(hSettings, IDC_BTN_APPLY);
    const HWND hConfirm = WaitForBox(program, "새로운 환경설정으로 적용하시겠습니까?");
    ASSERT_TRUE(hConfirm != nullptr);
    ::PostMessageA(hConfirm, WM_COMMAND, IDYES, 0);
    const HWND hApplied = WaitForBox(program, "새로운 설정이 정상적으로 적용되었습니다.");
    ASSERT_TRUE(hApplied != nullptr);
    ::PostMessageA(hApplied, WM_COMMAND, IDOK, 0);
    EXPECT_EQ("loop", RegistryText(kRegConfigKey, "music"));
    Click(hMain, IDC_BTN_PLAY);
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain) == "스텔론 - 첫곡 - 가수가(00:02/00:03)"; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain) == "스텔론 - 첫곡 - 가수가(00:01/00:03)"; }, 5000));

    // The mode is read when a track ends: continuous play goes on to the next one.
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "continuity");
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain).find("둘째곡 - 가수나(00:01/") != std::string::npos; }, 8000));
    // Random play draws among the chart's twenty places: a track of the chart, or none past its end.
    WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "random");
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain).find("둘째곡") == std::string::npos; }, 8000));
    const std::string drawn = Caption(hMain);
    EXPECT_TRUE(drawn == "스텔론" || drawn.find("(00:0") != std::string::npos) << drawn;
    Click(hMain, IDC_BTN_STOP);
    EXPECT_TRUE(PumpUntil([&] { return Caption(hMain) == "스텔론"; }, 5000));

    // The close box hides the window; a left press on the tray icon brings it back.
    ::PostMessageA(hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hMain); }, 10000));
    ::PostMessageA(hMain, 28000, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hMain) != FALSE; }, 10000));

    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(program.WaitExit(10000));
    EXPECT_EQ(0u, program.ExitCode());
}

}  // namespace
