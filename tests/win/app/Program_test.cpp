// The real program, run as a separate process and driven from outside as a
// user would, and what the vendor's server sees: the start-up, every section
// and channel tab, a track's clock and its end in each play mode, the
// settings dialog's choice taking effect, the tray, a second copy and the
// exit command. The tests share one program (a ctest case starts its own);
// each sets up the section it needs.
#include <algorithm>
#include <fstream>
#include <memory>
#include <set>

#include "app/MainDlg.h"
#include "tests/win/app/ProgramDriver.h"

namespace {

const char kProgramName[] = "스텔론";
const std::string kCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_";
using CaptionMatch = std::function<bool(const std::string&)>;

class ProgramTest : public ProgramDriverTest {
protected:
    static void SetUpTestSuite()
    {
        s_pProgram = std::make_unique<ChildProcess>();
        if (!StandIn::Reset()) return;
        s_hMain = StartAndWaitForStartUp(*s_pProgram);
        s_startUp = StandIn::Log();
    }
    static void TearDownTestSuite()
    {
        if (s_hMain) ::PostMessageA(s_hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
        s_pProgram->WaitExit(10000);
        s_pProgram.reset();
        s_hMain = nullptr;
    }
    void SetUp() override
    {
        ProgramDriverTest::SetUp();
        ASSERT_TRUE(s_hMain && !s_pProgram->WaitExit(0)) << "the program did not start up";
        if (!::IsWindowVisible(s_hMain)) ::PostMessageA(s_hMain, WM_COMMAND, ID_TRAY_OPEN, 0);
        ASSERT_TRUE(PumpUntil([] { return ::IsWindowVisible(s_hMain) != FALSE; }, 10000));
    }

    static bool CaptionBecomes(const CaptionMatch& match)
    {
        return PumpUntil([&] { return match(Caption(s_hMain)); }, 8000);
    }
    // The music section with a chart of three short tracks; the first one plays from its start.
    static void PlayFirstTrack()
    {
        ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_short.xml"));
        Click(s_hMain, IDC_BTN_SECTION_MUSIC);
        ASSERT_TRUE(PumpUntil([] { return Rows(s_hMain, IDC_LIST_MUSIC) == 3; }, 20000));
        // From any track: back to the first, which then starts again.
        for (int id : {IDC_BTN_STOP, IDC_BTN_PREV, IDC_BTN_PREV, IDC_BTN_PLAY}) Click(s_hMain, id);
        ASSERT_TRUE(CaptionBecomes([](const std::string& shown) { return shown.find("첫곡") != std::string::npos; }));
    }
    // The first track's clock reaches its last second, and then the caption matches.
    static bool EndsIn(const CaptionMatch& match)
    {
        return CaptionBecomes([](const std::string& shown) { return shown == kLastSecond; }) && CaptionBecomes(match);
    }

    static constexpr char kLastSecond[] = "스텔론 - 첫곡 - 가수가(00:02/00:03)";
    static inline std::unique_ptr<ChildProcess> s_pProgram;
    static inline HWND s_hMain = nullptr;
    // What the start-up asked for.
    static inline std::vector<std::string> s_startUp;
};

// Both searches ask for the rank's first term, which the prompt shows.
TEST_F(ProgramTest, StartUpAsksInOrderAndSearchesTheRanksFirstTerm)
{
    ASSERT_EQ(6u, s_startUp.size());
    EXPECT_EQ(kCount + "execute&key=stel7", s_startUp[0]);
    EXPECT_EQ("GET /app/stel7/update/update.xml", s_startUp[1]);
    EXPECT_EQ(0u, s_startUp[2].find("GET /search?key="));
    EXPECT_EQ(0u, s_startUp[3].find("GET /feeds/api/videos?max-results=30&q="));
    const std::string term = s_startUp[3].substr(s_startUp[3].find("&q=") + 3);
    EXPECT_FALSE(term.empty());
    EXPECT_EQ("GET /search.atom?q=" + term, s_startUp[4]);
    EXPECT_EQ("GET /app/stel7/advert/config.xml", s_startUp[5]);
    // The results reach the window after the last request has gone out.
    char prompt[256] = {};
    EXPECT_TRUE(PumpUntil(
        [&] {
            ::GetDlgItemTextA(s_hMain, IDC_EDIT_SEARCH, prompt, sizeof(prompt));
            return Rows(s_hMain, IDC_LIST_VIDEO) > 0 && Rows(s_hMain, IDC_LIST_TWEET) > 0 && prompt[0];
        },
        20000));
    EXPECT_EQ(0u, std::string(prompt).find("지금 네이버 검색어 1위는? ")) << prompt;
}

// A background with the button left out showed as a black box.
TEST_F(ProgramTest, ThemedButtonPaintsOverTheBackgroundTheWindowGivesIt)
{
    Click(s_hMain, IDC_BTN_SECTION_SEARCH);
    ASSERT_TRUE(PumpUntil([] { return Shown(s_hMain, IDC_BTN_PLAY); }, 10000));
    RECT rc;
    ::GetWindowRect(::GetDlgItem(s_hMain, IDC_BTN_PLAY), &rc);
    const HDC hScreen = ::GetDC(nullptr);
    // Until the button has painted.
    EXPECT_TRUE(PumpUntil([&] { return ::GetPixel(hScreen, (rc.left + rc.right) / 2, rc.top + 3) != RGB(0, 0, 0); },
                          5000));
    ::ReleaseDC(nullptr, hScreen);
}

TEST_F(ProgramTest, SecondCopySaysSoAndEndsWithoutAskingTheServer)
{
    ChildProcess second;
    ASSERT_TRUE(StartProgram(second));
    EXPECT_TRUE(AnswerBox(second, "스텔론 현재 실행 중입니다.", IDOK));
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(StandIn::Log().empty());
}

TEST_F(ProgramTest, EscapeKeepsTheWindowAndEnterSearchesTheEncodedTerm)
{
    const HWND hEdit = ::GetDlgItem(s_hMain, IDC_EDIT_SEARCH);
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("R&B 발라드"));
    ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([] { return StandIn::Log().size() >= 3; }, 10000));
    EXPECT_EQ((std::vector<std::string>{kCount + "search&key=stel7",
                                        "GET /feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C",
                                        "GET /search.atom?q=R%26B%20%EB%B0%9C%EB%9D%BC%EB%93%9C"}),
              StandIn::Log());
    EXPECT_TRUE(::IsWindowVisible(s_hMain));
}

// Each section counts its press, then loads and shows its list alone, its
// tabs, and the transport buttons where they apply; pressing the section on
// screen (music, twice) runs its switch again. Each channel tab then loads a
// channel of its own.
TEST_F(ProgramTest, EachSectionCountsItsPressThenShowsItsListAloneAndEachChannelTabItsOwnChannel)
{
    const struct {
        int button, list, tabs;
        bool transport;
        const char* event;
        const char* request;
    } sections[] = {
        {IDC_BTN_SECTION_SEARCH, IDC_LIST_VIDEO, 2, true, "menu_search", "GET /search.atom"},
        {IDC_BTN_SECTION_HUMOR, IDC_LIST_HUMOR, 1, false, "menu_best", "GET /zbxe/comedy/rss"},
        {IDC_BTN_SECTION_MUSIC, IDC_LIST_MUSIC, 1, true, "menu_music", "GET /app/stel7/config/music.xml"},
        {IDC_BTN_SECTION_MUSIC, IDC_LIST_MUSIC, 1, true, "menu_music", "GET /app/stel7/config/music.xml"},
        {IDC_BTN_SECTION_CHANNEL, IDC_LIST_CHANNEL, 11, true, "menu_vod", "GET /rss/user/"},
    };
    const int lists[] = {IDC_LIST_VIDEO, IDC_LIST_TWEET, IDC_LIST_CHANNEL, IDC_LIST_MUSIC, IDC_LIST_HUMOR};
    const HWND hTab = ::GetDlgItem(s_hMain, IDC_TAB);
    for (const auto& section : sections) {
        SCOPED_TRACE(&section - sections);
        ASSERT_TRUE(StandIn::ClearLog());
        Click(s_hMain, section.button);
        const auto loaded = [&] { return !StandIn::Log(section.request).empty() && Rows(s_hMain, section.list) > 0; };
        EXPECT_TRUE(PumpUntil([&] { return loaded() && Shown(s_hMain, section.list); }, 20000));
        EXPECT_EQ(kCount + section.event + "&key=stel7", StandIn::Log().front());
        EXPECT_EQ(1, std::count_if(std::begin(lists), std::end(lists), [](int nId) { return Shown(s_hMain, nId); }));
        EXPECT_EQ(section.transport, Shown(s_hMain, IDC_BTN_PLAY));
        EXPECT_EQ(section.tabs, ::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    }
    std::set<std::string> channels = {StandIn::Log("GET /rss/user/").front()};
    for (int tab = 1; tab < 11; ++tab) {
        ASSERT_TRUE(StandIn::ClearLog());
        ::PostMessageA(hTab, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
        ASSERT_TRUE(PumpUntil([] { return !StandIn::Log("GET /rss/user/").empty(); }, 20000));
        channels.insert(StandIn::Log("GET /rss/user/").front());
    }
    EXPECT_EQ(11u, channels.size());
}

// The mode is read when a track ends: each is stored while the first track
// plays. Random draws among the chart's twenty places: a track of the chart,
// or none past its end.
TEST_F(ProgramTest, TrackPlaysByItsClockInTheCaptionAndEndsAsThePlayModeSays)
{
    const struct {
        const char* mode;  // null: none stored, and nothing follows
        CaptionMatch match;
    } modes[] = {
        {nullptr, [](const std::string& shown) { return shown == kProgramName; }},
        {"continuity", [](const std::string& shown) { return shown.find("둘째곡 - 가수나(00:01/") != std::string::npos; }},
        {"random",
         [](const std::string& shown) {
             return shown != kLastSecond && (shown == kProgramName || shown.find("(00:0") != std::string::npos);
         }},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.mode ? mode.mode : "none");
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        PlayFirstTrack();
        if (mode.mode) WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", mode.mode);
        EXPECT_TRUE(EndsIn(mode.match)) << Caption(s_hMain);
    }
}

TEST_F(ProgramTest, RepeatChosenInTheSettingsDialogPlaysTheTrackAgain)
{
    ::PostMessageA(s_hMain, WM_COMMAND, ID_TOOLS_SETTINGS, 0);
    const HWND hSettings = WaitForDialog(*s_pProgram, [](HWND hWnd) { return ::GetDlgItem(hWnd, IDC_COMBO_MUSIC); });
    ASSERT_TRUE(hSettings != nullptr);
    ::SendMessageA(::GetDlgItem(hSettings, IDC_COMBO_MUSIC), CB_SETCURSEL, 1, 0);
    Click(hSettings, IDC_BTN_APPLY);
    ASSERT_TRUE(AnswerBox(*s_pProgram, "새로운 환경설정으로 적용하시겠습니까?", IDYES));
    ASSERT_TRUE(AnswerBox(*s_pProgram, "새로운 설정이 정상적으로 적용되었습니다.", IDOK));
    EXPECT_EQ("loop", RegistryText(kRegConfigKey, "music"));
    PlayFirstTrack();
    EXPECT_TRUE(EndsIn([](const std::string& shown) { return shown == "스텔론 - 첫곡 - 가수가(00:01/00:03)"; }));
}

TEST_F(ProgramTest, CloseBoxHidesTheWindowAndALeftPressOnTheTrayIconRestoresIt)
{
    ::PostMessageA(s_hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([] { return !::IsWindowVisible(s_hMain); }, 10000));
    ::PostMessageA(s_hMain, WM_TRAY_NOTIFY, IDI_MAIN, WM_LBUTTONDOWN);
    EXPECT_TRUE(PumpUntil([] { return ::IsWindowVisible(s_hMain) != FALSE; }, 10000));
}

using ProgramExitTest = ProgramDriverTest;

TEST_F(ProgramExitTest, ExitCommandEndsTheProgramAndDeletesTheChannelsCopy)
{
    const std::string copy = TempDir() + "vod.xml";
    std::ofstream(copy) << "<rss/>";
    ChildProcess program;
    const HWND hMain = StartAndWaitForStartUp(program);
    ASSERT_TRUE(hMain != nullptr);
    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(program.WaitExit(10000));
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_FALSE(FileExists(copy));
}

}  // namespace
