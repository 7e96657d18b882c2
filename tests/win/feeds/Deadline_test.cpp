// The one bound on every network call: each call gives up on a server that
// never answers, and a process may end with such a call still blocked. Usage
// counts swallow every failure.
#include "feeds/AnalyticsPing.h"
#include "feeds/UrlDownload.h"
#include "feeds/XmlFetch.h"

#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const char kHangingPath[] = "/app/stel7/config/music.xml";

using NetworkCallTest = StandInTest;

TEST_F(NetworkCallTest, EveryCountReachesTheServerWhateverItAnswers)
{
    const std::string path = "/app/stel7/analytics/request/count.php";
    const std::string target = path + "?mode=stel7_search&key=stel7";
    for (const char* mode : {"none", "html", "404", "empty", "close"})
    {
        ASSERT_TRUE(StandIn::SetFault(path, mode));
        SendAnalyticsPing(StandIn::Url(target), STEL7_NET_DEADLINE_MS);
    }
    SendAnalyticsPing("http://127.0.0.1:9" + target, STEL7_NET_DEADLINE_MS);
    SendAnalyticsPing("", STEL7_NET_DEADLINE_MS);
    EXPECT_EQ(std::vector<std::string>(5, "GET " + target), StandIn::Log());
}

// The deadline is short so the test stays quick; the allowance covers a
// loaded machine and Wine's thread start-up.
TEST_F(NetworkCallTest, EveryCallGivesUpOnAServerThatNeverAnswers)
{
    constexpr unsigned kDeadlineMs = 2000;
    constexpr ULONGLONG kLongestOverrunMs = 3000;
    const std::string url = StandIn::Url(kHangingPath);
    XmlRequest request;
    request.url = url;
    // Each call, and whether it reported success (a ping reports nothing).
    const std::pair<const char*, std::function<bool()>> calls[] = {
        {"ping", [&] { SendAnalyticsPing(url, kDeadlineMs); return false; }},
        {"download", [&] { return DownloadUrlToFile(url, "stel7_deadline_test.bin", kDeadlineMs); }},
        {"fetch", [&] { return !FetchXml(request, kDeadlineMs).requestFailed; }},
    };
    ASSERT_TRUE(StandIn::SetFault(kHangingPath, "hang"));
    for (const auto& [name, call] : calls)
    {
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(call()) << name;
        EXPECT_LT(GetTickCount64() - start, kDeadlineMs + kLongestOverrunMs) << name;
    }
    EXPECT_EQ(3u, StandIn::Log().size());
}

// The helper gives up after 1 s; the rest is Wine starting and ending a process.
constexpr DWORD kLongestLifeMs = 15000;

class ProcessExitTest : public StandInTest, public ::testing::WithParamInterface<const char*> {};

// The blocked thread must not keep the process alive or crash it.
TEST_P(ProcessExitTest, ProcessEndsCleanlyWithAnAbandonedCallStillBlocked)
{
    ASSERT_TRUE(StandIn::SetFault(kHangingPath, "hang"));
    ChildProcess helper;
    ASSERT_TRUE(helper.Start(TestProgramDir() + "feeds_exit_helper.exe",
                             std::string(GetParam()) + " " + StandIn::Url(kHangingPath)));
    EXPECT_TRUE(helper.WaitExit(kLongestLifeMs));
    EXPECT_EQ(0u, helper.ExitCode());
    // The call really was blocked on the server when the process ended.
    EXPECT_EQ((std::vector<std::string>{"GET " + std::string(kHangingPath)}), StandIn::Log());
}

INSTANTIATE_TEST_SUITE_P(Calls, ProcessExitTest, ::testing::Values("fetch", "ping", "download"));

}  // namespace
