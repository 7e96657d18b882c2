// The one way either program starts a downloaded file: every fault of the
// answer, the file or its signature starts nothing and leaves no file, not
// even an old updater; only a complete Windows program, signed when a key is
// built in, is placed and started.
#include "feeds/VerifiedDownload.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/StandInTest.h"
#include "tests/win/update/OtherProgram.h"
#include "tests/win/update/UpdaterSite.h"

namespace {

using namespace UpdaterSite;

constexpr unsigned kIdleMs = 2000;
// A started updater notes its start within this under Wine; one that has not
// by the shorter wait was not started.
constexpr DWORD kStartWaitMs = 10000;
constexpr DWORD kNoStartWaitMs = 2000;

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool StartedFromTarget()
{
    return ::lstrcmpiA(WaitForStart(kStartWaitMs).c_str(), TargetPath().c_str()) == 0;
}

// Downloads given up on let go of their files once their answers end.
bool NoDownloadLeftBehind()
{
    for (int i = 0; i < 100; ++i) {
        if (LeftoverDownloads() == 0) return true;
        ::Sleep(100);
    }
    return false;
}

class VerifiedDownloadTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        ClearStart();
        LeftoverDownloads(true);
        ::DeleteFileA(TargetPath().c_str());
        m_strUpdater = Bytes();
        ASSERT_EQ("MZ", m_strUpdater.substr(0, 2)) << "the build's fake updater is missing";
        ASSERT_TRUE(Serve(m_strUpdater));
    }
    void TearDown() override
    {
        ::DeleteFileA(TargetPath().c_str());
        ClearStart();
        StandInTest::TearDown();
    }

    UpdaterSource Source(std::string strSignature) const
    {
        return {StandIn::Url(kPath), std::move(strSignature)};
    }
    // Downloads and, once verified, places and starts, as the update window does.
    bool DownloadAndStart(const UpdaterSource& source, const std::string& publicKeyPem = kUpdatePublicKeyPem)
    {
        CVerifiedDownload download(source, TempDir(), publicKeyPem);
        return m_lock.Take() && download.Download(kIdleMs) && download.PlaceAndStart(m_lock);
    }

    std::string m_strUpdater;
    CUpdateLock m_lock;
};

TEST_F(VerifiedDownloadTest, CompleteSignedProgramIsPlacedAndStarted)
{
    ASSERT_TRUE(DownloadAndStart(Source(GoodSignature())));
    EXPECT_TRUE(StartedFromTarget());
    EXPECT_TRUE(ReadFileBytes(TargetPath()) == m_strUpdater);
    EXPECT_EQ(0, LeftoverDownloads());
}

// Without a key only the download checks stand between a fault and a start.
TEST_F(VerifiedDownloadTest, NoFaultyAnswerStartsAnythingNorLeavesAnOldUpdater)
{
    const std::string url = StandIn::Url(kPath);
    char szSelf[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    struct Case {
        const char* name;
        const char* fault;
        std::string body;
        std::string address;
    } cases[] = {
        {"not found", "404", m_strUpdater, url},
        {"error page", "html", m_strUpdater, url},
        {"empty answer", "empty", m_strUpdater, url},
        {"closed without answer", "close", m_strUpdater, url},
        {"body cut short", "short", m_strUpdater, url},
        {"body stalls", "stall", m_strUpdater, url},
        {"server never answers", "hang", m_strUpdater, url},
        {"not a program", "", "<html><body>stel7_update.exe</body></html>", url},
        {"unreachable server", "", m_strUpdater, "http://127.0.0.1:9/stel7_update.exe"},
        {"no address", "", m_strUpdater, ""},
        {"file address of a program", "", m_strUpdater, std::string("file:///") + szSelf},
        {"network share", "", m_strUpdater, "\\\\127.0.0.1\\share\\stel7_update.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StandIn::Reset());
        ASSERT_TRUE(Serve(c.body));
        if (*c.fault) {
            ASSERT_TRUE(StandIn::SetFault(kPath, c.fault));
        }
        // An old updater, a real program, waits at the updater's place.
        ASSERT_TRUE(WriteFileBytes(TargetPath(), m_strUpdater));
        EXPECT_FALSE(DownloadAndStart({c.address, ""}, ""));
        EXPECT_FALSE(Exists(TargetPath()));
    }
    ASSERT_TRUE(StandIn::Reset());
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    EXPECT_TRUE(NoDownloadLeftBehind());
}

TEST_F(VerifiedDownloadTest, OnlyTheVendorsSignatureOverTheseBytesStartsTheUpdater)
{
    if (!HasBuiltInKey()) GTEST_SKIP() << "the programs are built without a key";
    const std::string good = GoodSignature();
    // A byte of the DOS stub's text: still a program that would run.
    std::string changed = m_strUpdater;
    changed[0x50] ^= 0x20;
    struct Case {
        const char* name;
        std::string body;
        std::string signature;
    } cases[] = {
        {"no signature", m_strUpdater, ""},
        {"another key's signature", m_strUpdater, OtherKeySignature()},
        {"file changed after signing", changed, good},
        {"not base64", m_strUpdater, "!!not*base64!!"},
        {"signature cut short", m_strUpdater, good.substr(0, good.size() / 2)},
        {"oversized signature", m_strUpdater, std::string(100000, 'A')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Serve(c.body));
        EXPECT_FALSE(DownloadAndStart(Source(c.signature)));
        EXPECT_FALSE(Exists(TargetPath()));
    }
    EXPECT_EQ("", WaitForStart(kNoStartWaitMs));
    EXPECT_EQ(0, LeftoverDownloads());
    // The cases failed for their signatures alone.
    ASSERT_TRUE(Serve(m_strUpdater));
    EXPECT_TRUE(DownloadAndStart(Source(good)));
    EXPECT_TRUE(StartedFromTarget());
}

TEST_F(VerifiedDownloadTest, WithoutAKeyNoSignatureIsAskedFor)
{
    ASSERT_TRUE(DownloadAndStart(Source(""), ""));
    EXPECT_TRUE(StartedFromTarget());
}

// The bound is on inactivity: a transfer longer than it that keeps coming
// completes, as does one whose length was never announced.
TEST_F(VerifiedDownloadTest, SlowOrUnmeasuredCompleteProgramStillStarts)
{
    const struct {
        const char* fault;
        int seconds;
    } cases[] = {{"trickle", 5}, {"nolength", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ClearStart();
        ASSERT_TRUE(StandIn::SetFault(kPath, c.fault, c.seconds));
        EXPECT_TRUE(DownloadAndStart(Source(GoodSignature())));
        EXPECT_TRUE(StartedFromTarget());
    }
}

TEST_F(VerifiedDownloadTest, UpdaterInUseIsNotReplacedAndNothingStarts)
{
    const std::string running = "MZ an updater that is still running";
    ASSERT_TRUE(WriteFileBytes(TargetPath(), running));
    // Held without sharing, as a running program holds its file.
    const HANDLE hHeld =
        ::CreateFileA(TargetPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    ASSERT_TRUE(m_lock.Take());
    CVerifiedDownload download(Source(GoodSignature()), TempDir());
    EXPECT_TRUE(download.Download(kIdleMs));
    EXPECT_FALSE(download.PlaceAndStart(m_lock));
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
    EXPECT_FALSE(DownloadAndStartUpdater(Source(GoodSignature()), TempDir(), kIdleMs));
    EXPECT_TRUE(StandIn::Log().empty());
    other.Release();
    EXPECT_TRUE(DownloadAndStartUpdater(Source(GoodSignature()), TempDir(), kIdleMs));
    EXPECT_TRUE(StartedFromTarget());
}

}  // namespace
