#include "core/Version.h"

#include <gtest/gtest.h>

// The signature covers the number in one spelling; any other announces nothing.
// An announcement past the int range is no build; an installed text past it
// reads as the range's end. Wrapped, 2^31 would be the lowest build and
// 2^32 + 194 the installed one.
TEST(Version, OnlyAStrictlyHigherAnnouncedBuildInItsOneSpellingIsNewer)
{
    const struct {
        const char *installed, *announced;
        bool newer;
    } cases[] = {
        {"", "195", true},         {"194", "194", false},       {"200", "100", false},      {"194", "", false},
        {"-1", "0", true},         {"194", "195abc", false},    {"194", "0195", false},     {"194", "+195", false},
        {"194", "-195", false},    {"194", " 195", false},      {"195", "195.9", false},    {"194", "2147483647", true},
        {"194", "2147483648", false}, {"194", "4294967490", false}, {"99999999999999999999", "2147483647", false},
        {"-99999999999", "0", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::IsNewerBuild(c.installed, c.announced), c.newer) << c.installed << " / " << c.announced;
}
