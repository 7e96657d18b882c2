#include "core/Version.h"

#include <gtest/gtest.h>

TEST(Version, OnlyAStrictlyHigherAnnouncedBuildIsNewer)
{
    struct Case {
        const char *installed, *announced;
        bool newer;
    } cases[] = {
        {"0", "195", true},    {"", "195", true},      {"194", "194", false}, {"194", "195abc", true},
        {"194", " 196", true}, {"200", "100", false},  {"194", "", false},    {"abc", "1", true},
        {"-1", "0", true},     {"195", "195.9", false}, {"2147483647", "99999999999", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::IsNewerBuild(c.installed, c.announced), c.newer) << c.installed << " / " << c.announced;
}
