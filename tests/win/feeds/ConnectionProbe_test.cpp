#include "feeds/ConnectionProbe.h"

#include "tests/win/feeds/Stopwatch.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <gtest/gtest.h>

namespace {

constexpr const char kProbePath[] = "/app/stel7/config/connection.html";

class ConnectionProbeTest : public StandInTest
{
};

TEST_F(ConnectionProbeTest, ServerThatAcceptsConnectionsIsReachable)
{
    EXPECT_TRUE(ProbeConnection(StandIn::Url(kProbePath), STEL7_NET_DEADLINE_MS));
}

// Only the connection counts: a page that never comes still means the server is there.
TEST_F(ConnectionProbeTest, PageThatNeverComesStillCountsAsReachable)
{
    ASSERT_TRUE(StandIn::SetFault(kProbePath, "hang"));
    const Stopwatch stopwatch;
    EXPECT_TRUE(ProbeConnection(StandIn::Url(kProbePath), kShortDeadlineMs));
    EXPECT_LT(stopwatch.ElapsedMs(), kShortDeadlineMs + kLongestOverrunMs);
}

TEST_F(ConnectionProbeTest, ClosedPortOrNoAddressIsUnreachable)
{
    EXPECT_FALSE(ProbeConnection(std::string("http://127.0.0.1:9") + kProbePath, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(ProbeConnection("", STEL7_NET_DEADLINE_MS));
}

}  // namespace
