#include "feeds/UrlDownload.h"

#include "tests/win/feeds/Stopwatch.h"
#include "tests/win/support/StandInTest.h"
#include "tests/win/support/WinEvent.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char kFilePath[] = "/test/stel7_update.exe";

using Report = std::pair<unsigned long, unsigned long>;  // progress, total

std::string TargetPath()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, length) + "stel7_download_test.bin";
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Bytes that are not text: zeros, line ends of both kinds, high bytes.
std::string BinaryBody(size_t size)
{
    std::string body;
    for (size_t i = 0; i < size; ++i)
        body += static_cast<char>((i * 7 + i / 256) % 256);
    return body;
}

// Sets its event when the last copy of what holds it is gone.
class SignalWhenGone
{
public:
    explicit SignalWhenGone(std::shared_ptr<const WinEvent> event) : event_(std::move(event)) {}
    ~SignalWhenGone() { event_->Set(); }
    SignalWhenGone(const SignalWhenGone&) = delete;
    SignalWhenGone& operator=(const SignalWhenGone&) = delete;

private:
    std::shared_ptr<const WinEvent> event_;
};

// A progress callback that does nothing and sets `event` once its last copy is gone.
DownloadProgress CallbackSignallingWhenGone(std::shared_ptr<const WinEvent> event)
{
    const auto guard = std::make_shared<SignalWhenGone>(std::move(event));
    return [guard](unsigned long, unsigned long) {};
}

class UrlDownloadTest : public StandInTest
{
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        DeleteFileA(path_.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(path_.c_str());
        StandInTest::TearDown();
    }

    const std::string path_ = TargetPath();
};

TEST_F(UrlDownloadTest, FileHoldsTheServedBytesAndProgressEndsAtTheTotal)
{
    const std::string body = BinaryBody(200000);
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, body));
    std::vector<Report> reports;
    ASSERT_TRUE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, STEL7_NET_DEADLINE_MS,
                                  [&reports](unsigned long progress, unsigned long progressMax) {
                                      reports.emplace_back(progress, progressMax);
                                  }));
    EXPECT_TRUE(Contents(path_) == body);
    ASSERT_FALSE(reports.empty());
    for (size_t i = 1; i < reports.size(); ++i)
        EXPECT_LE(reports[i - 1].first, reports[i].first) << "report " << i;
    EXPECT_EQ(Report(body.size(), body.size()), reports.back());
}

TEST_F(UrlDownloadTest, NewerFileIsFetchedOnceItsCacheEntryIsDeleted)
{
    const std::string url = StandIn::Url(kFilePath);
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "old build"));
    ASSERT_TRUE(DownloadUrlToFile(url, path_, STEL7_NET_DEADLINE_MS));
    EXPECT_EQ("old build", Contents(path_));
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "new build"));
    DeleteCachedUrl(url);
    ASSERT_TRUE(DownloadUrlToFile(url, path_, STEL7_NET_DEADLINE_MS));
    EXPECT_EQ("new build", Contents(path_));
}

TEST_F(UrlDownloadTest, MissingDocumentIsAFailedDownload)
{
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "404"));
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(path_));
}

TEST_F(UrlDownloadTest, UnreachableServerOrUnwritableTargetFails)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "build"));
    EXPECT_FALSE(DownloadUrlToFile(std::string("http://127.0.0.1:9") + kFilePath, path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(DownloadUrlToFile("", path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(path_));
    const std::string noFolder = path_ + ".missing\\stel7_update.exe";
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), noFolder, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(noFolder));
}

TEST_F(UrlDownloadTest, ServerThatNeverAnswersIsGivenUpAtTheDeadline)
{
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "hang"));
    const Stopwatch stopwatch;
    EXPECT_FALSE(
        DownloadUrlToFile(StandIn::Url(kFilePath), path_, kShortDeadlineMs, [](unsigned long, unsigned long) {}));
    EXPECT_LT(stopwatch.ElapsedMs(), kShortDeadlineMs + kLongestOverrunMs);
    EXPECT_FALSE(Exists(path_));
}

// A download given up on must not store the file when its server answers
// after all: it would overwrite what a later download of the same file wrote.
TEST_F(UrlDownloadTest, AbandonedDownloadEndsWithoutStoringTheFile)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "late build"));
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "slow", 2));
    const auto threadGone = std::make_shared<const WinEvent>();
    // The download thread holds the only copy of the callback, so the event
    // is set when that thread has ended.
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, 500, CallbackSignallingWhenGone(threadGone)));
    ASSERT_TRUE(threadGone->WaitMs(STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(path_));
}

}  // namespace
