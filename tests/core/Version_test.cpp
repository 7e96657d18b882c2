#include "core/Version.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *installed, *announced;
    bool newer;
};

TEST(Version, OnlyAStrictlyHigherAnnouncedBuildIsNewer)
{
    const Case cases[] = {
        {"", "195", true},  {"194", "194", false}, {"194", "195abc", true},
        {"200", "100", false}, {"194", "", false}, {"195", "195.9", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::IsNewerBuild(c.installed, c.announced), c.newer) << c.installed << " / " << c.announced;
}

// A number past the int range reads as the range's end: wrapped, 2^31 would be
// the lowest build and 2^32 + 194 the installed one.
TEST(Version, NumbersPastTheIntRangeClampToItsEnds)
{
    const Case cases[] = {
        {"194", "2147483648", true},          {"194", "4294967490", true},
        {"2147483647", "99999999999", false}, {"99999999999999999999", "2147483647", false},
        {"-99999999999", "-2147483647", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::IsNewerBuild(c.installed, c.announced), c.newer) << c.installed << " / " << c.announced;
}

}  // namespace
