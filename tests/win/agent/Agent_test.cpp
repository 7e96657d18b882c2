// The boot agent as a real process, copied into a folder of its own beside a
// stand-in "stel7.exe" that records its start.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/shared/Registry.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

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
        SCOPED_TRACE(run ? run : "(none)");
        if (run) WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "run", run);
        ASSERT_TRUE(StandIn::ClearLog());
        ClearRecordedStarts();
        ASSERT_TRUE(RunAgent());
        EXPECT_EQ(starts, MainProgramStarted());
        EXPECT_EQ(1u, BootCounts());
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

// A reply that is no document, however it fails, starts nothing; any
// readable one without a newer agent at a web address launches the program.
TEST_F(AgentTest, OnlyAFailedCheckKeepsTheProgramFromStartingWithoutAnUpdate)
{
    const std::string current = UpdateDocument("194", StandIn::Url(kPath));
    const StandIn::FaultCase cases[] = {
        // Not the spelling the vendor's statement has: no build announced.
        {"", UpdateDocument("0195", StandIn::Url(kPath), SiteFile("stel7agent_195.sig")), true},
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
    EXPECT_EQ("", WaitForStart(0));
}

// Anyone on the network can announce a newer agent: only one whose updater
// downloads and verifies starts that updater instead of the program; after
// any other the launch follows, and the refusal's verdict and the decision
// reach the agent's diagnostic log.
TEST_F(AgentTest, OnlyAVerifiedNewerAgentStartsItsUpdaterInsteadOfTheProgram)
{
    ASSERT_TRUE(Serve(SiteFile("stel7_update.exe")));
    const struct {
        std::string url, signature;
        const char* verdict;  // null: verified
    } announcements[] = {
        {StandIn::Url("/app/stel7/update/missing.exe"), SiteFile("stel7agent_195.sig"), "error status"},
        // The main program's signed updater offered as the agent's.
        {StandIn::Url(kPath), SiteFile("stel7_195.sig"), "no valid signature"},
        {StandIn::Url(kPath), SiteFile("stel7agent_195.sig"), nullptr},
    };
    char szLocal[MAX_PATH] = {};
    ::GetEnvironmentVariableA("LOCALAPPDATA", szLocal, sizeof(szLocal));
    const std::string log = std::string(szLocal) + "\\stel7\\stel7agent.log";
    for (const auto& a : announcements) {
        SCOPED_TRACE(a.signature);
        // Without a key built in, any complete program is verified.
        if (!kUpdatePublicKeyPem[0] && a.verdict && a.url == StandIn::Url(kPath)) continue;
        ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, UpdateDocument(kBuild, a.url, a.signature)));
        ClearRecordedStarts();
        ::DeleteFileA(log.c_str());
        EXPECT_TRUE(RunAgent());
        EXPECT_EQ(!a.verdict, !MainProgramStarted());
        EXPECT_EQ(a.verdict ? "" : TargetPath(), WaitForStart(a.verdict ? 0 : 10000));
        if (!a.verdict) continue;
        const std::string text = ReadFileBytes(log);
        EXPECT_NE(std::string::npos, text.find(a.verdict)) << text;
        EXPECT_NE(std::string::npos, text.find("announced but not installable")) << text;
    }
    ::DeleteFileA(TargetPath().c_str());
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
