// The usage count: every count goes out, and whatever the server answers, or
// whether it answers at all, is swallowed.
#include "feeds/AnalyticsPing.h"

#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PingTest : public StandInTest
{
};

TEST_F(PingTest, EveryCountReachesTheServerWhateverItAnswers)
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

}  // namespace
