// The one way either program starts a downloaded file: every fault of the
// answer, the file or its signature starts nothing and leaves no file, not
// even an old updater; only a complete Windows program, whose statement the
// vendor signed for this program and this build when a key is built in, is
// started, from the updater's folder.
#include <gtest/gtest.h>

#include <atomic>

#include "feeds/net/CancelEvent.h"
#include "tests/win/support/Pump.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

constexpr unsigned kIdleMs = 2000;
// A started updater notes its start within this under Wine; one that has not
// by the shorter wait was not started.
constexpr DWORD kStartWaitMs = 10000;
constexpr DWORD kNoStartWaitMs = 2000;

bool StartedFromTarget()
{
    return ::lstrcmpiA(WaitForStart(kStartWaitMs).c_str(), TargetPath().c_str()) == 0;
}

class VerifiedDownloadTest : public UpdaterTest {
protected:
    void SetUp() override
    {
        UpdaterTest::SetUp();
        ASSERT_EQ("MZ", m_strUpdater.substr(0, 2)) << "the build's updater is missing";
    }

    // Downloads and, once verified, starts, as the update window does.
    bool DownloadAndStart(const UpdaterSource& source, const std::string& publicKeyPem = kUpdatePublicKeyPem)
    {
        CVerifiedDownload download(source, TempDir(), publicKeyPem);
        return m_lock.Take() && download.Download(kIdleMs) && download.Start(m_lock);
    }
    const std::string m_strUpdater = SiteFile("stel7_update.exe");
    CUpdateLock m_lock;
};

// Without a key no signature is asked for, and only the download checks stand
// between a fault and a start.
TEST_F(VerifiedDownloadTest, WithoutAKeyOnlyACompleteProgramStartsEvenSlowlyUnreplacedAndNoFaultLeavesAnOldUpdater)
{
    const std::string url = StandIn::Url(kPath);
    const struct {
        const char* fault;
        std::string body, address, build;
    } cases[] = {
        {"404", m_strUpdater, url, kBuild},
        {"html", m_strUpdater, url, kBuild},
        {"empty", m_strUpdater, url, kBuild},
        {"close", m_strUpdater, url, kBuild},
        {"hang", m_strUpdater, url, kBuild},
        {"short", m_strUpdater, url, kBuild},
        {"stall", m_strUpdater, url, kBuild},
        {"endless", m_strUpdater, url, kBuild},  // stops at the updater's limit
        {"", "<html><body>stel7_update.exe</body></html>", url, kBuild},
        {"", m_strUpdater, "file:///" + TestProgramDir() + "update-site\\stel7_update.exe", kBuild},
        {"", m_strUpdater, url, "0195"},
    };
    ASSERT_TRUE(MakeFolder());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.address + " " + c.build);
        ASSERT_TRUE(StandIn::Reset());
        ASSERT_TRUE(Serve(c.body));
        ASSERT_TRUE(!*c.fault || StandIn::SetFault(kPath, c.fault));
        // An old updater, a real program, waits at the updater's place.
        ASSERT_TRUE(WriteFileBytes(TargetPath(), m_strUpdater));
        EXPECT_FALSE(DownloadAndStart({core::kProgramRole, c.build, c.address, ""}, ""));
        EXPECT_FALSE(FileExists(TargetPath()));
    }
    ASSERT_TRUE(StandIn::Reset());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    // Downloads given up on let go of their files once their answers end.
    EXPECT_TRUE(PumpUntil([] { return LeftoverDownloads() == 0; }, 10000));

    // The bound is on inactivity: a transfer longer than it that keeps coming
    // completes. Held from its check until it has started, no one replaces it.
    ASSERT_TRUE(Serve(m_strUpdater));
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", 5));
    ASSERT_TRUE(m_lock.Take());
    CVerifiedDownload download(ProgramUpdater(""), TempDir(), "");
    ASSERT_TRUE(download.Download(kIdleMs));
    EXPECT_FALSE(WriteFileBytes(TargetPath(), "MZ planted"));
    EXPECT_FALSE(::DeleteFileA(TargetPath().c_str()));
    EXPECT_FALSE(::MoveFileExA(TargetPath().c_str(), (TargetPath() + ".old").c_str(), 0));
    ASSERT_TRUE(download.Start(m_lock));
    EXPECT_TRUE(StartedFromTarget());
    EXPECT_TRUE(ReadFileBytes(TargetPath()) == m_strUpdater);
    EXPECT_EQ(0, LeftoverDownloads());
}

TEST_F(VerifiedDownloadTest, OnlyTheVendorsSignatureOverThisStatementStartsTheUpdater)
{
    if (!kUpdatePublicKeyPem[0]) GTEST_SKIP() << "the programs are built without a key";
    const std::string good = SiteFile("stel7_195.sig");
    // A byte of the DOS stub's text: still a program that would run.
    std::string changed = m_strUpdater;
    changed[0x50] ^= 0x20;
    const struct {
        std::string body, signature;
    } cases[] = {
        {m_strUpdater, ""},
        {m_strUpdater, SiteFile("other_key.sig")},
        {changed, good},
        {m_strUpdater, "!!not*base64!!"},
        {m_strUpdater, good.substr(0, good.size() / 2)},
        // Rollback: the vendor once signed this updater as build 190.
        {m_strUpdater, SiteFile("stel7_190.sig")},
        // Mix-and-match: the agent's signed updater is not the main program's.
        {m_strUpdater, SiteFile("stel7agent_195.sig")},
        // Over the file's bytes alone: says nothing of the program or the build.
        {m_strUpdater, SiteFile("bytes.sig")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(Serve(c.body));
        EXPECT_FALSE(DownloadAndStart(ProgramUpdater(c.signature)));
        EXPECT_FALSE(FileExists(TargetPath()));
    }
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    EXPECT_EQ(0, LeftoverDownloads());
    // The cases failed for their signatures alone.
    ASSERT_TRUE(Serve(m_strUpdater));
    EXPECT_TRUE(DownloadAndStart(ProgramUpdater(good)));
    EXPECT_TRUE(StartedFromTarget());
}

TEST_F(VerifiedDownloadTest, UpdaterInUseIsNotReplacedAndNothingStarts)
{
    const std::string running = "MZ an updater that is still running";
    ASSERT_TRUE(MakeFolder());
    ASSERT_TRUE(WriteFileBytes(TargetPath(), running));
    // Held without sharing, as a running program holds its file.
    const HANDLE hHeld =
        ::CreateFileA(TargetPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_FALSE(DownloadAndStart(ProgramUpdater(SiteFile("stel7_195.sig"))));
    ::CloseHandle(hHeld);
    EXPECT_EQ(running, ReadFileBytes(TargetPath()));
    EXPECT_EQ(0, LeftoverDownloads());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
}

// The agent's way: the lock first, and a bound on the whole attempt that a
// server dripping its answer within every idle bound cannot stretch.
TEST_F(VerifiedDownloadTest, AgentsAttemptTakesNotTheOtherProgramsLockNorLongerThanItsBound)
{
    const UpdaterSource agentUpdater{core::kAgentRole, kBuild, StandIn::Url(kPath), SiteFile("stel7agent_195.sig")};
    OtherProgram other;
    ASSERT_TRUE(other.Holds());
    ASSERT_TRUE(StandIn::ClearLog());
    EXPECT_FALSE(DownloadAndStartUpdater(agentUpdater, TempDir(), kIdleMs, kStartWaitMs));
    EXPECT_TRUE(StandIn::Log().empty());
    other.Release();

    // Ten pieces, one every 1.2 s: never idle for kIdleMs, done after 12 s.
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", 12));
    EXPECT_FALSE(DownloadAndStartUpdater(agentUpdater, TempDir(), kIdleMs, 3000));
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    EXPECT_TRUE(PumpUntil([] { return LeftoverDownloads() == 0; }, 20000));
    EXPECT_FALSE(FileExists(TargetPath()));

    ASSERT_TRUE(StandIn::SetFault(kPath, "none"));
    EXPECT_TRUE(DownloadAndStartUpdater(agentUpdater, TempDir(), kIdleMs, kStartWaitMs));
    EXPECT_TRUE(StartedFromTarget());
}

// Where the user's cancel meets the download's end: the download's last
// report sends the waiting thread a message; answering it, that thread
// signals the cancel, lets the report return and waits for the download's
// thread to end, so that the end and the cancel both stand when its wait goes on.
CCancelEvent g_cancel;
std::atomic<bool> g_bLastReportSent{false};
bool g_bDownloadEnded = false;

LRESULT CALLBACK CancelAtTheEnd(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    g_cancel.Set();
    ::ReplyMessage(0);
    const HANDLE hThread = reinterpret_cast<HANDLE>(lParam);
    g_bDownloadEnded = ::WaitForSingleObject(hThread, 10000) == WAIT_OBJECT_0;
    ::CloseHandle(hThread);
    return 0;
}

TEST_F(VerifiedDownloadTest, CancelSignalledAsTheDownloadCompletesKeepsAndPlacesNothing)
{
    WNDCLASSA wc = {0, &CancelAtTheEnd, 0, 0, ::GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                    "stel7CancelAtTheEnd"};
    ::RegisterClassA(&wc);
    static HWND s_hWnd = nullptr;
    s_hWnd = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    const DownloadProgress lastReport = [](unsigned long progress, unsigned long total) {
        if (total == 0 || progress < total || g_bLastReportSent.exchange(true)) return;
        HANDLE hThread = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &hThread, SYNCHRONIZE,
                          FALSE, 0);
        ::SendMessageA(s_hWnd, WM_APP, 0, reinterpret_cast<LPARAM>(hThread));
    };
    CVerifiedDownload download(ProgramUpdater(SiteFile("stel7_195.sig")), TempDir());
    ASSERT_TRUE(m_lock.Take());
    EXPECT_FALSE(download.Download(kIdleMs, lastReport, g_cancel.Handle()));
    ::DestroyWindow(s_hWnd);
    ASSERT_TRUE(g_bDownloadEnded) << "the cancel did not meet the download's end";
    EXPECT_EQ(0, LeftoverDownloads());
    EXPECT_FALSE(download.Start(m_lock));
    EXPECT_FALSE(FileExists(TargetPath()));
}

}  // namespace
