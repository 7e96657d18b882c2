#include "feeds/AnalyticsPing.h"

#include "tests/win/feeds/Stopwatch.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char kCountPath[] = "/app/stel7/analytics/request/count.php";

std::string CountTarget(const std::string& event)
{
    return std::string(kCountPath) + "?mode=stel7_" + event + "&key=stel7";
}

class AnalyticsPingTest : public StandInTest
{
};

TEST_F(AnalyticsPingTest, EveryPingReachesTheServerEvenForTheSameUrl)
{
    SendAnalyticsPing(StandIn::Url(CountTarget("execute")), STEL7_NET_DEADLINE_MS);
    SendAnalyticsPing(StandIn::Url(CountTarget("search")), STEL7_NET_DEADLINE_MS);
    SendAnalyticsPing(StandIn::Url(CountTarget("search")), STEL7_NET_DEADLINE_MS);
    EXPECT_EQ((std::vector<std::string>{"GET " + CountTarget("execute"), "GET " + CountTarget("search"),
                                        "GET " + CountTarget("search")}),
              StandIn::Log());
}

// Whatever the server answers, the ping returns and the next one still goes out.
TEST_F(AnalyticsPingTest, RepliesThatAreErrorsOrNothingAreSwallowed)
{
    for (const char* mode : {"html", "404", "empty", "close"})
    {
        ASSERT_TRUE(StandIn::SetFault(kCountPath, mode));
        SendAnalyticsPing(StandIn::Url(CountTarget("boot")), STEL7_NET_DEADLINE_MS);
    }
    EXPECT_EQ(4u, StandIn::Log().size());
}

TEST_F(AnalyticsPingTest, ServerThatIsDownIsSwallowed)
{
    SendAnalyticsPing("http://127.0.0.1:9" + CountTarget("execute"), STEL7_NET_DEADLINE_MS);
    SendAnalyticsPing("", STEL7_NET_DEADLINE_MS);
    EXPECT_TRUE(StandIn::Log().empty());
}

TEST_F(AnalyticsPingTest, ServerThatNeverAnswersIsGivenUpAtTheDeadline)
{
    ASSERT_TRUE(StandIn::SetFault(kCountPath, "hang"));
    const Stopwatch stopwatch;
    SendAnalyticsPing(StandIn::Url(CountTarget("popup")), kShortDeadlineMs);
    EXPECT_LT(stopwatch.ElapsedMs(), kShortDeadlineMs + kLongestOverrunMs);
    EXPECT_EQ((std::vector<std::string>{"GET " + CountTarget("popup")}), StandIn::Log());
}

}  // namespace
