#include "tools/standin/Options.h"

#include <gtest/gtest.h>

using standin::ParseOptions;

TEST(Options, DefaultsServeThePlainBuildsPort)
{
    const auto parsed = ParseOptions({});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->port, 8717);
    EXPECT_EQ(parsed.options->bindAddress, "127.0.0.1");
    EXPECT_FALSE(parsed.options->contentDir.empty());
    EXPECT_EQ(parsed.options->rankKey.size(), 32u);
    EXPECT_TRUE(parsed.options->dataDir.empty());
    EXPECT_TRUE(parsed.options->countLog.empty());
}

TEST(Options, ValuesAreTaken)
{
    const auto parsed =
        ParseOptions({"--port", "0", "--content", "/c", "--data", "/d", "--count-log", "/tmp/n.log", "--bind", "::1"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->port, 0);
    EXPECT_EQ(parsed.options->contentDir, "/c");
    EXPECT_EQ(parsed.options->dataDir, "/d");
    EXPECT_EQ(parsed.options->countLog, "/tmp/n.log");
    EXPECT_EQ(parsed.options->bindAddress, "::1");
}

TEST(Options, LocalhostMeansTheIpv4Loopback)
{
    const auto parsed = ParseOptions({"--bind", "localhost"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->bindAddress, "127.0.0.1");
}

TEST(Options, BadCommandLinesAreRefused)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--port", "65536"}, {"--port", "-1"},         {"--port", "80x"},          {"--port"},
        {"--port", ""},      {"--bind", "0.0.0.0"},    {"--bind", "192.168.0.2"},  {"--bind", "::"},
        {"--content"},       {"--frobnicate", "1"},    {"8717"},
    };
    for (const auto& arguments : cases)
    {
        const auto parsed = ParseOptions(arguments);
        EXPECT_FALSE(parsed.options) << arguments[0];
        EXPECT_FALSE(parsed.error.empty()) << arguments[0];
    }
}

TEST(Options, HelpIsNotAnError)
{
    const auto parsed = ParseOptions({"--port", "1", "--help"});
    EXPECT_TRUE(parsed.help);
    EXPECT_FALSE(parsed.options);
    EXPECT_TRUE(parsed.error.empty());
}

TEST(Options, HostPortBracketsIpv6)
{
    EXPECT_EQ(standin::HostPort("127.0.0.1", 8717), "127.0.0.1:8717");
    EXPECT_EQ(standin::HostPort("::1", 80), "[::1]:80");
}
