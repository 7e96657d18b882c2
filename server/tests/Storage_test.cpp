// The storage suite, the same on SQLite and on a real PostgreSQL server.
#include "server/Storage.h"
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <thread>

namespace servertest {
namespace {

using vendor::CountReport;
using vendor::CountRow;
using vendor::kKindEvent;
using vendor::kKindWrongKey;

class StorageTest : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { ASSERT_FALSE(url_.empty()) << "no database for " << GetParam(); }

    std::unique_ptr<vendor::Storage> Open()
    {
        std::string error;
        std::unique_ptr<vendor::Storage> storage = vendor::OpenStorage(url_, vendor::Sync::Full, error);
        EXPECT_TRUE(storage) << error;
        return storage;
    }

    ScratchFolder scratch_;
    const std::string url_ = FreshDatabase(GetParam(), scratch_);
};

TEST_P(StorageTest, CountsAddUpAcrossCommitsServersAndReopening)
{
    {
        // Two servers sharing the database, as behind a load balancer.
        const std::unique_ptr<vendor::Storage> first = Open();
        const std::unique_ptr<vendor::Storage> second = Open();
        std::string error;
        ASSERT_TRUE(first->Add({{"2026-03-01", kKindEvent, "boot", 2}, {"2026-03-02", kKindEvent, "boot", 1}}, error))
            << error;
        ASSERT_TRUE(second->Add({{"2026-03-02", kKindEvent, "boot", 4}, {"2026-03-02", kKindWrongKey, "", 1}}, error))
            << error;
    }
    const std::unique_ptr<vendor::Storage> reopened = Open();
    CountReport report;
    std::string error;
    ASSERT_TRUE(reopened->Read("2026-03-02", report, error)) << error;
    // Rows from the first day asked for on; totals over every day.
    const std::vector<CountRow> expectedDays = {{"2026-03-02", kKindEvent, "boot", 5},
                                                {"2026-03-02", kKindWrongKey, "", 1}};
    ASSERT_EQ(expectedDays.size(), report.days.size());
    for (size_t i = 0; i < expectedDays.size(); ++i)
    {
        EXPECT_FALSE(expectedDays[i] < report.days[i] || report.days[i] < expectedDays[i]) << i;
        EXPECT_EQ(expectedDays[i].count, report.days[i].count) << i;
    }
    EXPECT_EQ(7, report.totals[kKindEvent]["boot"]);
    EXPECT_EQ(1, report.totals[kKindWrongKey][""]);
}

TEST_P(StorageTest, ConcurrentWritersLoseNoCount)
{
    const int kThreads = 4, kCommits = 50;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t)
    {
        writers.emplace_back([this] {
            const std::unique_ptr<vendor::Storage> storage = Open();
            std::string error;
            for (int i = 0; i < kCommits && storage; ++i)
                EXPECT_TRUE(storage->Add({{"2026-03-03", kKindEvent, "search", 1}}, error)) << error;
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    CountReport report;
    std::string error;
    ASSERT_TRUE(Open()->Read("2026-03-03", report, error)) << error;
    EXPECT_EQ(kThreads * kCommits, report.totals[kKindEvent]["search"]);
}

TEST_P(StorageTest, AnUnreachableDatabaseIsReportedNotThrown)
{
    const std::string url = std::string(GetParam()) == "sqlite" ? "sqlite:" + scratch_ / "no/such/folder/db"
                                                                : "postgresql://postgres@127.0.0.1:1/none";
    std::string error;
    EXPECT_FALSE(vendor::OpenStorage(url, vendor::Sync::Full, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, StorageTest, ::testing::ValuesIn(kBackends),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace servertest
