#include "core/Progress.h"

#include <gtest/gtest.h>

TEST(Progress, PositionIsTheTruncatedPercentageOfAKnownTotal)
{
    struct Case {
        unsigned long long progress, total;
        int position;
    } cases[] = {
        {0, 0, 0},         {5000, 0, 0},      {0, 1000, 0}, {500, 1000, 50}, {1000, 1000, 100},
        {2, 3, 66},        {1500, 1000, 100}, {0xFFFFFFFFull, 0xFFFFFFFFull, 100},
        {0x7FFFFFFFull, 0xFFFFFFFFull, 49},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::ProgressPosition(c.progress, c.total), c.position) << c.progress << " of " << c.total;
}
