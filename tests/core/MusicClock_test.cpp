#include "core/MusicClock.h"

#include <gtest/gtest.h>

#include <string>

using core::AdvanceMusicClock;

TEST(MusicClock, CountsFromOneAndCarriesTheMinuteAndWrapsTheHour)
{
    int seconds = 1;
    int minutes = 0;
    EXPECT_EQ(AdvanceMusicClock(seconds, minutes), "00:01");
    // A track of 03:45 ends on tick 225.
    int tick = 1;
    while (AdvanceMusicClock(seconds, minutes) != "03:45" && tick < 10000)
        ++tick;
    EXPECT_EQ(tick + 1, 225);

    seconds = 59;
    minutes = 59;
    EXPECT_EQ(AdvanceMusicClock(seconds, minutes), "59:59");
    EXPECT_EQ(AdvanceMusicClock(seconds, minutes), "00:00");
    EXPECT_EQ(AdvanceMusicClock(seconds, minutes), "00:01");
}

TEST(MusicClock, CaptionIsCp949WithoutBlankBeforeTheCounter)
{
    EXPECT_EQ(core::NowPlayingCaption("사랑", "가수", "00:01", "03:45"), "스텔론 - 사랑 - 가수(00:01/03:45)");
    EXPECT_EQ(core::NowPlayingCaption("", "", "00:00", ""), "\xBD\xBA\xC5\xDA\xB7\xD0 -  - (00:00/)");
}
