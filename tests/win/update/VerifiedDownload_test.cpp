// The one way either program starts a downloaded file: every fault of the
// answer, the file or its signature starts nothing and leaves no file, not
// even an old updater; only a complete Windows program, signed when a key is
// built in, is placed and started.
#include <gtest/gtest.h>

#include <atomic>

#include "feeds/CancelEvent.h"
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

    UpdaterSource Source(std::string strSignature) const { return {StandIn::Url(kPath), std::move(strSignature)}; }
    // Downloads and, once verified, places and starts, as the update window does.
    bool DownloadAndStart(const UpdaterSource& source, const std::string& publicKeyPem = kUpdatePublicKeyPem)
    {
        CVerifiedDownload download(source, TempDir(), publicKeyPem);
        return m_lock.Take() && download.Download(kIdleMs) && download.PlaceAndStart(m_lock);
    }

    const std::string m_strUpdater = SiteFile("stel7_update.exe");
    CUpdateLock m_lock;
};

// Without a key no signature is asked for, and only the download checks stand
// between a fault and a start.
TEST_F(VerifiedDownloadTest, WithoutAKeyOnlyACompleteProgramStartsEvenSlowlyAndNoFaultLeavesAnOldUpdater)
{
    const std::string url = StandIn::Url(kPath);
    const struct {
        const char* fault;
        std::string body, address;
    } cases[] = {
        {"404", m_strUpdater, url},
        {"html", m_strUpdater, url},
        {"empty", m_strUpdater, url},
        {"close", m_strUpdater, url},
        {"hang", m_strUpdater, url},
        {"short", m_strUpdater, url},
        {"stall", m_strUpdater, url},
        {"", "<html><body>stel7_update.exe</body></html>", url},
        {"", m_strUpdater, "file:///" + TestProgramDir() + "update-site\\stel7_update.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.address);
        ASSERT_TRUE(StandIn::Reset());
        ASSERT_TRUE(Serve(c.body));
        if (*c.fault) {
            ASSERT_TRUE(StandIn::SetFault(kPath, c.fault));
        }
        // An old updater, a real program, waits at the updater's place.
        ASSERT_TRUE(WriteFileBytes(TargetPath(), m_strUpdater));
        EXPECT_FALSE(DownloadAndStart({c.address, ""}, ""));
        EXPECT_FALSE(FileExists(TargetPath()));
    }
    ASSERT_TRUE(StandIn::Reset());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    // Downloads given up on let go of their files once their answers end.
    EXPECT_TRUE(PumpUntil([] { return LeftoverDownloads() == 0; }, 10000));

    // The bound is on inactivity: a transfer longer than it that keeps coming completes.
    ASSERT_TRUE(Serve(m_strUpdater));
    ASSERT_TRUE(StandIn::SetFault(kPath, "trickle", 5));
    ASSERT_TRUE(DownloadAndStart(Source(""), ""));
    EXPECT_TRUE(StartedFromTarget());
    EXPECT_TRUE(ReadFileBytes(TargetPath()) == m_strUpdater);
    EXPECT_EQ(0, LeftoverDownloads());
}

TEST_F(VerifiedDownloadTest, OnlyTheVendorsSignatureOverTheseBytesStartsTheUpdater)
{
    if (!kUpdatePublicKeyPem[0]) GTEST_SKIP() << "the programs are built without a key";
    const std::string good = SiteFile("good.sig");
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(Serve(c.body));
        EXPECT_FALSE(DownloadAndStart(Source(c.signature)));
        EXPECT_FALSE(FileExists(TargetPath()));
    }
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    EXPECT_EQ(0, LeftoverDownloads());
    // The cases failed for their signatures alone.
    ASSERT_TRUE(Serve(m_strUpdater));
    EXPECT_TRUE(DownloadAndStart(Source(good)));
    EXPECT_TRUE(StartedFromTarget());
}

TEST_F(VerifiedDownloadTest, UpdaterInUseIsNotReplacedAndNothingStarts)
{
    const std::string running = "MZ an updater that is still running";
    ASSERT_TRUE(WriteFileBytes(TargetPath(), running));
    // Held without sharing, as a running program holds its file.
    const HANDLE hHeld =
        ::CreateFileA(TargetPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_FALSE(DownloadAndStart(Source(SiteFile("good.sig"))));
    ::CloseHandle(hHeld);
    EXPECT_EQ(running, ReadFileBytes(TargetPath()));
    EXPECT_EQ(0, LeftoverDownloads());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
}

TEST_F(VerifiedDownloadTest, WhileTheOtherProgramHoldsTheLockNothingIsFetchedOrStarted)
{
    OtherProgram other;
    ASSERT_TRUE(other.Holds());
    ASSERT_TRUE(StandIn::ClearLog());
    EXPECT_FALSE(DownloadAndStartUpdater(Source(SiteFile("good.sig")), TempDir(), kIdleMs));
    EXPECT_TRUE(StandIn::Log().empty());
    other.Release();
    EXPECT_TRUE(DownloadAndStartUpdater(Source(SiteFile("good.sig")), TempDir(), kIdleMs));
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
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CancelAtTheEnd;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "stel7CancelAtTheEnd";
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
    CVerifiedDownload download(Source(SiteFile("good.sig")), TempDir());
    ASSERT_TRUE(m_lock.Take());
    EXPECT_FALSE(download.Download(kIdleMs, lastReport, g_cancel.Handle()));
    ::DestroyWindow(s_hWnd);
    ASSERT_TRUE(g_bDownloadEnded) << "the cancel did not meet the download's end";
    EXPECT_EQ(0, LeftoverDownloads());
    EXPECT_FALSE(download.PlaceAndStart(m_lock));
    EXPECT_FALSE(FileExists(TargetPath()));
}

}  // namespace
