// The boot agent as a real process, copied into a folder of its own beside a
// stand-in "stel7.exe" that records its start.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/Registry.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

const char kBootCount[] = "GET /app/stel7/analytics/request/count.php?mode=stel7_boot&key=stel7";
const char kUpdatePath[] = "/app/stel7/update/update.xml";

std::string UpdateDocument(const std::string& agentVer, const std::string& agentUrl, const std::string& agentSig = "")
{
    return "<update><update_ver>194</update_ver><agent_ver>" + agentVer + "</agent_ver><agent_url>" + agentUrl +
           "</agent_url><agent_sig>" + agentSig + "</agent_sig></update>";
}

BOOL CALLBACK FirstWindow(HWND hWnd, LPARAM lParam)
{
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

class AgentTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        // Blanks and Korean in the folder name, as a user's profile may have.
        m_strDir = TempDir() + "스텔론 설치 " + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_strDir.c_str(), nullptr);
        const std::string build = TestProgramDir() + "..\\..\\";
        ASSERT_TRUE(::CopyFileA((build + "agent\\stel7agent.exe").c_str(), Agent().c_str(), FALSE));
        ASSERT_TRUE(::CopyFileA((TestProgramDir() + "start_recorder.exe").c_str(), (m_strDir + "stel7.exe").c_str(),
                                FALSE));
        WriteRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7agent", "194");
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        ClearRecordedStarts();
    }
    void TearDown() override
    {
        ::DeleteFileA(Agent().c_str());
        ::DeleteFileA((m_strDir + "stel7.exe").c_str());
        ::RemoveDirectoryA(m_strDir.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        ClearRecordedStarts();
        StandInTest::TearDown();
    }

    std::string Agent() const { return m_strDir + "stel7agent.exe"; }
    // Starts an agent and sends its poll timer's first tick rather than waiting for it.
    bool StartAgent(ChildProcess& agent)
    {
        if (!agent.Start(Agent())) return false;
        HWND hAgent = nullptr;
        PumpUntil([&] { return !::EnumThreadWindows(agent.ThreadId(), &FirstWindow, reinterpret_cast<LPARAM>(&hAgent)); },
                  10000);
        return hAgent && ::PostMessageA(hAgent, WM_TIMER, 1, 0);
    }
    // Runs one agent to its end.
    bool RunAgent(DWORD ms = 20000)
    {
        ChildProcess agent;
        return StartAgent(agent) && agent.WaitExit(ms);
    }
    bool MainProgramStarted() const { return RecordedStart("stel7.exe") == m_strDir + "stel7.exe"; }
    static size_t BootCounts() { return StandIn::Log(kBootCount).size(); }

    std::string m_strDir;
};

TEST_F(AgentTest, MainProgramStartsOnlyWhenRunIsExactlyTrue)
{
    // The run value stored (null: none) and whether the program starts.
    const std::pair<const char*, bool> cases[] = {{nullptr, true}, {"True", false}, {"", false}};
    for (const auto& [run, starts] : cases) {
        const std::string label = run ? run : "(none)";
        if (run) WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "run", run);
        ASSERT_TRUE(StandIn::ClearLog());
        ClearRecordedStarts();
        ASSERT_TRUE(RunAgent()) << label;
        EXPECT_EQ(starts, MainProgramStarted()) << label;
        EXPECT_EQ(1u, BootCounts()) << label;
    }
}

// Notes in `second` whether a window of process `first` is seen: shown, with
// an area or a taskbar button.
BOOL CALLBACK NoteSeenWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSeen = reinterpret_cast<std::pair<DWORD, bool>*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    const bool onTaskbar = !(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    if (processId == pSeen->first && ::IsWindowVisible(hWnd) && (!::IsRectEmpty(&rc) || onTaskbar)) pSeen->second = true;
    return TRUE;
}

// What already runs wins.
TEST_F(AgentTest, SecondAgentEndsAtOnceWithoutAskingTheServer)
{
    const HANDLE hFirst = ::CreateMutexA(nullptr, TRUE, "stel7agent");
    ASSERT_TRUE(hFirst != nullptr);
    ChildProcess agent;
    ASSERT_TRUE(agent.Start(Agent()));
    EXPECT_TRUE(agent.WaitExit(20000));
    ::CloseHandle(hFirst);
    EXPECT_TRUE(StandIn::Log().empty());
    EXPECT_FALSE(MainProgramStarted());
}

TEST_F(AgentTest, RunningMainProgramIsNotStartedAgain)
{
    const HANDLE hMain = ::CreateMutexA(nullptr, TRUE, "stel7");
    ASSERT_TRUE(hMain != nullptr);
    const bool ended = RunAgent();
    ::CloseHandle(hMain);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(MainProgramStarted());
    EXPECT_EQ(1u, BootCounts());
}

// Looked at while it runs: once its count has reached the server, its check
// follows before it ends.
TEST_F(AgentTest, AgentIsNeverSeen)
{
    ASSERT_TRUE(StandIn::SetFault(kUpdatePath, "hang"));
    ChildProcess agent;
    ASSERT_TRUE(StartAgent(agent));
    ASSERT_TRUE(PumpUntil([] { return BootCounts() == 1; }, 20000));
    std::pair<DWORD, bool> seen = {agent.Id(), false};
    ::EnumWindows(&NoteSeenWindow, reinterpret_cast<LPARAM>(&seen));
    EXPECT_FALSE(seen.second);
    ASSERT_TRUE(StandIn::Reset());
    EXPECT_TRUE(agent.WaitExit(20000));
}

// A check that must see the newest document drops the cached reply first:
// the earlier run's entry is gone by the time the request reaches the server.
TEST_F(AgentTest, UpdateCheckDropsTheCachedReplyFirst)
{
    const std::string url = StandIn::Url(kUpdatePath);
    ASSERT_TRUE(RunAgent());
    ASSERT_TRUE(StandIn::Cached(url));
    ASSERT_TRUE(StandIn::SetFault(kUpdatePath, "hang"));
    ASSERT_TRUE(StandIn::ClearLog());
    ChildProcess agent;
    ASSERT_TRUE(StartAgent(agent));
    ASSERT_TRUE(PumpUntil([] { return !StandIn::Log(std::string("GET ") + kUpdatePath).empty(); }, 20000));
    EXPECT_FALSE(StandIn::Cached(url));
    ASSERT_TRUE(StandIn::Reset());
    EXPECT_TRUE(agent.WaitExit(40000));
}

// A newer agent with a web address is an update instead of a launch; an
// address that is no web address, or a well-formed error page, is no update;
// a reply that is no document, however it fails, starts nothing.
TEST_F(AgentTest, NewerAgentAtAWebAddressOrAFailedCheckKeepsTheProgramFromStarting)
{
    const std::string current = UpdateDocument("194", StandIn::Url("/app/stel7/update/x.exe"));
    const StandIn::FaultCase cases[] = {
        {"", UpdateDocument("195abc", StandIn::Url("/app/stel7/update/x.exe")), false},
        {"", UpdateDocument("195", "file:///C:/windows/notepad.exe"), true},
        {"slow", current, true},
        {"404", "", true},
        {"html", "", true},
        {"malformed", "", false},
        {"empty", "", false},
        {"short", current, false},
        {"hang", "", false},
    };
    for (const StandIn::FaultCase& c : cases) {
        SCOPED_TRACE(c.fault + c.document);
        ASSERT_TRUE(StandIn::Serve(kUpdatePath, c));
        ClearRecordedStarts();
        // A hanging check gives up only at the deadline.
        EXPECT_TRUE(RunAgent(40000));
        EXPECT_EQ(c.expected, MainProgramStarted());
    }
}

TEST_F(AgentTest, NewerAgentStartsOnlyItsVerifiedUpdaterAndNeverTheProgram)
{
    ASSERT_TRUE(UpdaterSite::Serve(UpdaterSite::SiteFile("stel7_update.exe")));
    for (const bool vendorSigned : {false, true}) {
        const std::string signature = UpdaterSite::SiteFile(vendorSigned ? "good.sig" : "other_key.sig");
        ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, UpdateDocument("195", StandIn::Url(UpdaterSite::kPath), signature)));
        ClearRecordedStarts();
        EXPECT_TRUE(RunAgent());
        EXPECT_EQ(vendorSigned ? UpdaterSite::TargetPath() : "", UpdaterSite::WaitForStart(vendorSigned ? 10000 : 0));
        EXPECT_FALSE(MainProgramStarted());
    }
    ::DeleteFileA(UpdaterSite::TargetPath().c_str());
}

TEST_F(AgentTest, ServerDownForAWhileGivesOneBootCountOnceItIsUp)
{
    ASSERT_TRUE(StandIn::GoDown(7));
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(RunAgent(40000));
    EXPECT_GE(::GetTickCount() - start, 6000u);
    EXPECT_EQ(1u, BootCounts());
    EXPECT_TRUE(MainProgramStarted());
}

}  // namespace
