// A process may end with a network call still blocked on a server that never
// answers, and usage counts swallow every failure. (Each call giving up at the
// deadline: the fault matrix.)
#include "feeds/net/AnalyticsPing.h"

#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

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
