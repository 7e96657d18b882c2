// The usage count and the connection probe against the stand-in server.
#include "feeds/AnalyticsPing.h"
#include "feeds/ConnectionProbe.h"

#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kCountTarget = "/app/stel7/analytics/request/count.php?mode=stel7_search&key=stel7";
const std::string kDown = "http://127.0.0.1:9";

class PingTest : public StandInTest
{
};

// Every count reaches the server, the same address again too (nothing from a
// cache), and whatever the server answers, or none, is swallowed.
TEST_F(PingTest, EveryCountReachesTheServerWhateverItAnswers)
{
    const std::string path = kCountTarget.substr(0, kCountTarget.find('?'));
    for (const char* mode : {"none", "none", "html", "404", "empty", "close"})
    {
        ASSERT_TRUE(StandIn::SetFault(path, mode));
        SendAnalyticsPing(StandIn::Url(kCountTarget), STEL7_NET_DEADLINE_MS);
    }
    SendAnalyticsPing(kDown + kCountTarget, STEL7_NET_DEADLINE_MS);
    SendAnalyticsPing("", STEL7_NET_DEADLINE_MS);
    EXPECT_EQ(std::vector<std::string>(6, "GET " + kCountTarget), StandIn::Log());
}

// Only the connection counts: a page that never comes still means the server is there.
TEST_F(PingTest, ProbeCountsAConnectionNotAPage)
{
    const std::string path = "/app/stel7/config/connection.html";
    EXPECT_TRUE(ProbeConnection(StandIn::Url(path), STEL7_NET_DEADLINE_MS));
    ASSERT_TRUE(StandIn::SetFault(path, "hang"));
    EXPECT_TRUE(ProbeConnection(StandIn::Url(path), STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(ProbeConnection(kDown + path, STEL7_NET_DEADLINE_MS));
    EXPECT_FALSE(ProbeConnection("", STEL7_NET_DEADLINE_MS));
}

}  // namespace
