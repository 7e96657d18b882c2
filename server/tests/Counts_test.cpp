// Count requests as the programs send them and as nobody should: each is
// recorded where it belongs, and the refused ones not at all.
#include "server/CountQuery.h"
#include "server/VendorSite.h"
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace servertest {
namespace {

class CountsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server_.Started()); }

    Reply Count(const std::string& query) { return Get(server_.Port(), std::string(vendor::kCountPath) + "?" + query); }

    ScratchFolder scratch_;
    ServerProcess server_{{"serve", "--content", scratch_.Path(), "--database", "sqlite:" + scratch_ / "c.db"}};
};

TEST_F(CountsTest, EachQueryIsRecordedWhereItBelongs)
{
    std::map<std::string, long long> expected;
    for (const char* word : vendor::kEventWords)
    {
        const Reply reply = Count(std::string("mode=stel7_") + word + "&key=stel7");
        EXPECT_EQ(200, reply.status) << word;
        EXPECT_EQ(vendor::kReplyCounted, reply.body) << word;
        expected[word] = 1;
    }
    const struct
    {
        std::string query;
        int status;
        const char* reply;
        const char* recordedAs;  // nullptr: not recorded
    } cases[] = {
        {"mode=stel7_%62oot&key=stel7", 200, vendor::kReplyCounted, "boot"},
        {"key=stel7&mode=stel7_boot&_=123", 200, vendor::kReplyCounted, "boot"},
        {"mode=stel7_BOOT&key=stel7", 200, vendor::kReplyUnknownWord, "unknown_word"},
        {"mode=stel7_install&key=stel7", 200, vendor::kReplyUnknownWord, "unknown_word"},
        {"mode=boot&key=stel7", 200, vendor::kReplyUnknownWord, "unknown_word"},
        {"key=stel7", 200, vendor::kReplyUnknownWord, "unknown_word"},
        {"mode=stel7_boot&key=stel8", 200, vendor::kReplyWrongKey, "wrong_key"},
        {"mode=stel7_boot", 200, vendor::kReplyWrongKey, "wrong_key"},
        {"", 200, vendor::kReplyWrongKey, "wrong_key"},
        {"mode=stel7_boot%00&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_b%FFoot&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_%EC%8B%A4%ED%96%89&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_boot%20now&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_boot&key=stel7%", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_boot&key=stel7%zz", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_boot&mode=stel7_execute&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_" + std::string(100, 'x') + "&key=stel7", 400, vendor::kReplyRefused, nullptr},
        {"mode=stel7_boot&key=stel7&pad=" + std::string(2000, 'p'), 400, vendor::kReplyRefused, nullptr},
    };
    for (const auto& c : cases)
    {
        const Reply reply = Count(c.query);
        EXPECT_EQ(c.status, reply.status) << c.query;
        EXPECT_EQ(c.reply, reply.body) << c.query;
        if (c.recordedAs)
            ++expected[c.recordedAs];
    }
    expected.emplace("unknown_word", 0);
    expected.emplace("wrong_key", 0);
    for (const auto& [name, count] : ReportTotals(server_.AdminPort()))
        EXPECT_EQ(expected[name], count) << name;
    EXPECT_EQ(expected.size(), ReportTotals(server_.AdminPort()).size());
}

TEST_F(CountsTest, EveryRequestLeavesOneAccessLogLineThatCannotForgeAnother)
{
    const std::string targets[] = {
        std::string(vendor::kCountPath) + "?mode=stel7_boot&key=stel7",
        "/nothing-here",
        // A terminal escape, and quotes that would end the request's field early.
        "/esc\x1b[2J\"quoted\"",
    };
    for (const std::string& target : targets)
        Get(server_.Port(), target);
    ASSERT_TRUE(server_.WaitForOutput(" site 127.0.0.1 \"GET ", std::size(targets), std::chrono::seconds(10)));
    size_t lines = 0;
    for (const std::string& line : server_.OutputLines())
    {
        if (line.find(" site ") == std::string::npos)
            continue;
        ++lines;
        EXPECT_EQ(2, std::count(line.begin(), line.end(), '"')) << line;
        EXPECT_EQ(std::string::npos, line.find('\x1b')) << line;
    }
    EXPECT_EQ(std::size(targets), lines);
}

}  // namespace
}  // namespace servertest
