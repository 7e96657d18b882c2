// The update download against the stand-in server.
#include "feeds/UrlDownload.h"

#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char kFilePath[] = "/test/stel7_update.exe";

std::string TempPath(const char* name)
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, length) + name;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

    const std::string path_ = TempPath("stel7_download_test.bin");
};

TEST_F(UrlDownloadTest, FileHoldsTheServedBytesAndProgressEndsAtTheTotal)
{
    // Bytes that are not text: zeros, line ends of both kinds, high bytes.
    std::string body;
    for (size_t i = 0; i < 200000; ++i)
        body += static_cast<char>((i * 7 + i / 256) % 256);
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, body));
    using Report = std::pair<unsigned long, unsigned long>;  // progress, total
    std::vector<Report> reports;
    ASSERT_TRUE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, STEL7_NET_DEADLINE_MS,
                                  [&reports](unsigned long progress, unsigned long progressMax) {
                                      reports.emplace_back(progress, progressMax);
                                  }));
    std::ifstream file(path_, std::ios::binary);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()) == body);
    ASSERT_FALSE(reports.empty());
    for (size_t i = 1; i < reports.size(); ++i)
        EXPECT_LE(reports[i - 1].first, reports[i].first) << "report " << i;
    EXPECT_EQ(Report(body.size(), body.size()), reports.back());
}

// An error page is stored by the platform as if it were the file: it is no download.
TEST_F(UrlDownloadTest, ErrorPageOrNoServerOrNoFolderIsAFailedDownloadWithoutAFile)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "build"));
    const std::string noFolder = path_ + ".missing\\stel7_update.exe";
    EXPECT_FALSE(DownloadUrlToFile(std::string("http://127.0.0.1:9") + kFilePath, path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(DownloadUrlToFile("", path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), noFolder, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(noFolder));
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "404"));
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(Exists(path_));
}

// A download given up on must not store the file when its server answers
// after all: it would overwrite what a later download of the same file wrote.
TEST_F(UrlDownloadTest, AbandonedDownloadEndsWithoutStoringTheFile)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "late build"));
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "slow", 2));
    // The download thread holds the only copy of the callback, and with it of
    // the guard that sets the event: the event says that thread has ended.
    const auto gone = std::make_shared<std::promise<void>>();
    std::future<void> threadGone = gone->get_future();
    DownloadProgress callback = [guard = std::shared_ptr<void>(nullptr, [gone](void*) { gone->set_value(); })](
                                    unsigned long, unsigned long) {};
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, 500, std::move(callback)));
    ASSERT_EQ(std::future_status::ready, threadGone.wait_for(std::chrono::milliseconds(STEL7_NET_DEADLINE_MS)));
    EXPECT_FALSE(Exists(path_));
}

}  // namespace
