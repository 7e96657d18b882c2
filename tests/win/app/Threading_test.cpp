// The window's thread never waits for a worker: the hang once found at
// start-up, a burst of presses during a slow start-up, and the faults mended
// alongside, on the real program and on the real main window.
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/app/ProgramDriver.h"

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "app/shared/ExitRequest.h"
#include "tests/win/support/ModalDriver.h"

namespace {

const char kCountPath[] = "/app/stel7/analytics/request/count.php";
const char kUpdatePath[] = "/app/stel7/update/update.xml";
const char kMissingUpdater[] = "/app/stel7/update/missing_update.exe";
const std::string kCount = std::string("GET ") + kCountPath + "?mode=stel7_";

// A newer build announced, its updater missing: the update window opens,
// fetches, fails and closes by itself.
bool AnnounceNewerBuild()
{
    return StandIn::Serve(kUpdatePath, {"", "<update><update_ver>195</update_ver><update_url>" +
                                                StandIn::Url(kMissingUpdater) + "</update_url></update>",
                                        true});
}

void TypeAndSearch(HWND hMain, const char* pszTerm)
{
    ::SendMessageA(::GetDlgItem(hMain, IDC_EDIT_SEARCH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszTerm));
    Click(hMain, IDC_BTN_SEARCH);
}

void PressEnter(HWND hMain)
{
    ::PostMessageA(::GetDlgItem(hMain, IDC_EDIT_SEARCH), WM_KEYDOWN, VK_RETURN, 0);
}

using StartUpHangTest = ProgramDriverTest;

// The program's main window, with each request for `slowPath` taking 3 s and a newer build announced.
HWND StartSlowlyWithAnUpdate(ChildProcess& program, const char* slowPath = kCountPath)
{
    if (!AnnounceNewerBuild() || !StandIn::SetFault(slowPath, "slow", 3) || !StartProgram(program)) return nullptr;
    return WaitForDialog(program);
}

// A search clicked and Enter pressed while a slow count holds the start-up,
// with a newer build announced, once hung the program for good: the update
// window froze, the tray and the installer's exit request went unanswered.
// The child process is ended by the test whatever happens.
TEST_F(StartUpHangTest, SearchesDuringASlowStartUpWithAnUpdateLeaveEveryWindowAnswering)
{
    ChildProcess program;
    const HWND hMain = StartSlowlyWithAnUpdate(program);
    ASSERT_TRUE(hMain != nullptr);
    TypeAndSearch(hMain, "고양이");
    PressEnter(hMain);

    // The update window's timer ran: its download went out.
    EXPECT_TRUE(PumpUntil([] { return !StandIn::Log(std::string("GET ") + kMissingUpdater).empty(); }, 60000));
    EXPECT_TRUE(Answers(hMain));
    EXPECT_TRUE(PumpUntil([] { return StandIn::Log(kCount + "search").size() == 2; }, 60000));
    ::PostMessageA(hMain, g_nExitRequest, 0, 0);
    EXPECT_TRUE(program.WaitExit(15000));
}

// About 200 presses of every kind while the start-up is slow and an update
// is announced: each is answered (its count reaches the server), the screen
// ends consistent, and a second burst leaves the private bytes where the
// first left them.
TEST_F(StartUpHangTest, BurstOfPressesDuringASlowStartUpIsAnsweredAndEndsConsistent)
{
    ChildProcess program;
    const HWND hMain = StartSlowlyWithAnUpdate(program, kUpdatePath);
    ASSERT_TRUE(hMain != nullptr);
    const HWND hTab = ::GetDlgItem(hMain, IDC_TAB);
    const struct {
        int button;
        const char* event;
    } sections[] = {{IDC_BTN_SECTION_SEARCH, "menu_search"},
                    {IDC_BTN_SECTION_CHANNEL, "menu_vod"},
                    {IDC_BTN_SECTION_MUSIC, "menu_music"},
                    {IDC_BTN_SECTION_HUMOR, "menu_best"}};
    std::srand(19);
    SIZE_T privateBytes[2] = {};
    for (SIZE_T& bytes : privateBytes) {
        // Counts sent per event; the burst ends on the music section.
        std::map<std::string, size_t> sent = {{"menu_music", 1}};
        for (int i = 0; i < 200; ++i) {
            const auto& section = sections[std::rand() % 4];
            const int action = std::rand() % 4;
            if (action == 0) Click(hMain, section.button);
            if (action == 1) ::PostMessageA(hTab, TCM_SETCURFOCUS, static_cast<WPARAM>(std::rand() % 11), 0);
            if (action == 2) TypeAndSearch(hMain, "벚꽃");
            if (action == 3) PressEnter(hMain);
            if (action != 1) ++sent[action == 0 ? section.event : "search"];
        }
        Click(hMain, IDC_BTN_SECTION_MUSIC);
        // Every press answered: its count went out.
        const auto answered = [](const auto& c) { return StandIn::Log(kCount + c.first).size() == c.second; };
        EXPECT_TRUE(PumpUntil([&] { return std::all_of(sent.begin(), sent.end(), answered); }, 60000));
        EXPECT_TRUE(PumpUntil([&] { return Rows(hMain, IDC_LIST_MUSIC) == 20; }, 60000));
        EXPECT_TRUE(Answers(hMain));
        for (int list : {IDC_LIST_VIDEO, IDC_LIST_TWEET, IDC_LIST_CHANNEL, IDC_LIST_HUMOR, IDC_LIST_MUSIC}) {
            EXPECT_EQ(list == IDC_LIST_MUSIC, Shown(hMain, list));
        }
        EXPECT_EQ(1, ::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
        // The commit charge, which Wine reports here (it leaves PrivateUsage at 0).
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        ASSERT_TRUE(::GetProcessMemoryInfo(program.Handle(), &counters, sizeof(counters)));
        bytes = counters.PagefileUsage;
        ASSERT_TRUE(StandIn::Reset());
    }
    EXPECT_GT(privateBytes[0], 0u);
    EXPECT_LT(privateBytes[1], privateBytes[0] + 4 * 1024 * 1024) << privateBytes[0] << " then " << privateBytes[1];
    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_TRUE(program.WaitExit(15000));
}

// Exit chosen from the tray while the settings dialog is open during the
// start-up: nothing opens afterwards and the program ends.
TEST_F(StartUpHangTest, ExitChosenWhileSettingsAreOpenEndsTheProgramAndOpensNothing)
{
    ChildProcess program;
    const HWND hMain = StartSlowlyWithAnUpdate(program);
    ASSERT_TRUE(hMain != nullptr);
    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_SETTINGS, 0);
    ASSERT_TRUE(WaitForDialog(program, [](HWND hWnd) { return ::GetDlgItem(hWnd, IDC_COMBO_MUSIC) != nullptr; }));
    ::PostMessageA(hMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_TRUE(program.WaitExit(15000));
    EXPECT_TRUE(StandIn::Log(std::string("GET ") + kMissingUpdater).empty());
    EXPECT_TRUE(StandIn::Log("GET /app/stel7/advert/").empty());
}

// Each test opens the process's main window itself: its start-up is the test.
class StartUpTest : public StandInTest {
protected:
    void SetUp() override
    {
        SKIP_UNLESS_FIRST_MAIN_WINDOW();
        StandInTest::SetUp();
        m_pHarness = std::make_unique<MainWindowHarness>();
    }
    void TearDown() override
    {
        m_pHarness.reset();
        StandInTest::TearDown();
    }
    bool Settled() { return PumpUntil([this] { return m_pHarness->Dlg().m_feeds.Pending() == 0; }, 60000); }

    std::unique_ptr<MainWindowHarness> m_pHarness;
};

// Text in the box that the program did not write stays; the start-up still
// searches the rank's term, in its order.
TEST_F(StartUpTest, TypedTextStaysWhileTheStartUpSearchesTheRankTerm)
{
    ASSERT_TRUE(m_pHarness->Create());
    CMainDlg& dlg = m_pHarness->Dlg();
    dlg.m_editSearch.SetWindowText("내가 쓰던 글");
    ASSERT_TRUE(Settled());
    EXPECT_EQ(CString("내가 쓰던 글"), dlg.m_editSearch.GetWindowText());
    ASSERT_FALSE(dlg.m_sections.m_strTopKeyword.IsEmpty());
    const std::vector<std::string> videos = StandIn::Log("GET /feeds/api/videos");
    ASSERT_EQ(1u, videos.size());
    EXPECT_NE(std::string::npos, videos[0].find("q=" + std::string(dlg.EncodeKeyword(dlg.m_sections.m_strTopKeyword).Str())));
}

// An update check asked for while the start-up's silent one still runs is
// answered by that one's outcome.
TEST_F(StartUpTest, ACheckAskedForDuringTheStartUpsCheckIsAnsweredByItsOutcome)
{
    ClearRecordedBoxes();
    ASSERT_TRUE(m_pHarness->Create());
    m_pHarness->Dlg().SendMessage(WM_COMMAND, ID_TRAY_UPDATE, 0);
    ASSERT_TRUE(Settled());
    ASSERT_EQ(1u, RecordedBoxes().size());
    EXPECT_EQ("사용 중인 스텔론는 이미 최신 버전입니다.", RecordedBoxes()[0].text);
    EXPECT_EQ(1u, StandIn::Log(std::string("GET ") + kUpdatePath).size());

    // With a newer build, the update window is the answer, and only one opens.
    ASSERT_TRUE(AnnounceNewerBuild());
    ClearRecordedBoxes();
    ModalDriver driver({[](HWND) {}});
    m_pHarness->Dlg().CheckUpdate(0);
    m_pHarness->Dlg().SendMessage(WM_COMMAND, ID_TRAY_UPDATE, 0);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(1u, driver.m_nStepsRun);
    EXPECT_TRUE(RecordedBoxes().empty());
}

// A section pressed again before its feeds ran supersedes the earlier press:
// only the newest switch fetches.
TEST_F(StartUpTest, OnlyTheNewestOfQuickSectionPressesFetches)
{
    ASSERT_TRUE(StandIn::SetFault(kCountPath, "hang"));
    ASSERT_TRUE(m_pHarness->Create());
    CMainDlg& dlg = m_pHarness->Dlg();
    for (int id : {IDC_BTN_SECTION_MUSIC, IDC_BTN_SECTION_HUMOR, IDC_BTN_SECTION_CHANNEL, IDC_BTN_SECTION_MUSIC}) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    ASSERT_TRUE(StandIn::Reset());
    ASSERT_TRUE(Settled());
    EXPECT_EQ(1u, StandIn::Log("GET /app/stel7/config/music.xml").size());
    EXPECT_TRUE(StandIn::Log("GET /zbxe/").empty());
    EXPECT_TRUE(StandIn::Log("GET /rss/user/").empty());
    EXPECT_EQ(4u, StandIn::Log(kCount + "menu_").size());
    EXPECT_EQ(20, dlg.m_listMusic.GetItemCount());
    EXPECT_TRUE(dlg.m_listMusic.IsWindowVisible());
}

}  // namespace
