// An answered count is never lost: clients count as fast as they can, the
// server is killed (SIGKILL) or stopped (SIGTERM) at a random moment, and
// after a restart every count that was answered is there (with SQLite also
// when commits are only handed to the operating system, --sync normal). SIGTERM also
// answers what it had received: then the figures match exactly.
#include "server/VendorSite.h"
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <random>

namespace servertest {
namespace {

constexpr int kClients = 16;
constexpr int kRounds = 3;

using Param = std::tuple<const char*, int>;

class DurabilityTest : public ::testing::TestWithParam<Param>
{
protected:
    void SetUp() override { ASSERT_FALSE(database_.empty()); }

    std::vector<std::string> Flags() const
    {
        const bool normal = std::string(std::get<0>(GetParam())) == "sqlite_sync_normal";
        return {"serve", "--content", scratch_.Path(), "--database", database_, "--sync", normal ? "normal" : "full"};
    }

    ScratchFolder scratch_;
    const std::string database_ = FreshDatabase(std::get<0>(GetParam()), scratch_);
};

TEST_P(DurabilityTest, EveryAnsweredCountSurvivesTheStop)
{
    const int stopSignal = std::get<1>(GetParam());
    std::mt19937 random(std::random_device{}());
    long long answered = 0;
    long long unanswered = 0;  // sent, then the connection failed: may or may not be in
    for (int round = 0; round < kRounds; ++round)
    {
        ServerProcess server(Flags());
        ASSERT_TRUE(server.Started());
        const long long stopAt = std::uniform_int_distribution<long long>(20, 400)(random);
        std::atomic<long long> roundAnswered{0};
        std::atomic<bool> serverDown{false};
        std::mutex mutex;
        std::condition_variable progressed;
        std::vector<std::thread> clients;
        std::atomic<long long> roundUnanswered{0};
        for (int c = 0; c < kClients; ++c)
        {
            clients.emplace_back([&] {
                while (!serverDown)
                {
                    const Reply reply =
                        Get(server.Port(), std::string(vendor::kCountPath) + "?mode=stel7_execute&key=stel7");
                    if (reply.status == 200 && reply.body == vendor::kReplyCounted)
                        ++roundAnswered;
                    else
                    {
                        ++roundUnanswered;
                        serverDown = true;
                    }
                    progressed.notify_all();
                }
            });
        }
        {
            std::unique_lock<std::mutex> lock(mutex);
            ASSERT_TRUE(progressed.wait_for(lock, std::chrono::seconds(60),
                                            [&] { return roundAnswered >= stopAt || serverDown; }));
        }
        if (stopSignal == SIGKILL)
            server.Kill();
        else
            EXPECT_EQ(0, server.Terminate());
        serverDown = true;
        for (std::thread& client : clients)
            client.join();
        answered += roundAnswered;
        unanswered += roundUnanswered;
    }

    ServerProcess restarted(Flags());
    ASSERT_TRUE(restarted.Started());
    const long long stored = ReportTotal(restarted.AdminPort(), "execute");
    EXPECT_GE(stored, answered);
    // Not more than were sent: a count is recorded once or not at all.
    EXPECT_LE(stored, answered + unanswered);
    if (stopSignal == SIGTERM)
    {
        EXPECT_EQ(stored, answered) << "a clean stop answers every count it committed";
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, DurabilityTest,
                         ::testing::Combine(::testing::ValuesIn(kServedBackends), ::testing::Values(SIGKILL, SIGTERM)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) == SIGKILL ? "_Kill9" : "_Sigterm");
                         });

}  // namespace
}  // namespace servertest
