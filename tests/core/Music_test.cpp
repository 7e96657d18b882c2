// The music clock and the play modes: what plays after a track, and the caption meanwhile.
#include "core/MusicClock.h"
#include "core/PlayMode.h"

#include <gtest/gtest.h>

#include <string>

using namespace core;

TEST(PlayMode, ParseOnlyTheExactWords)
{
    const std::pair<const char*, PlayMode> cases[] = {
        {"loop", PlayMode::Loop}, {"continuity", PlayMode::Continuity}, {"random", PlayMode::Random},
        {"none", PlayMode::None}, {"", PlayMode::None}, {"Loop", PlayMode::None}, {"loop ", PlayMode::None},
        {"randomly", PlayMode::None},
    };
    for (const auto& [text, mode] : cases) EXPECT_EQ(ParsePlayMode(text), mode) << text;
}

TEST(PlayMode, RowAfterTrackEnd)
{
    struct Case {
        PlayMode mode;
        int current, rowCount, draw, expected;
    } cases[] = {
        {PlayMode::None, 3, 20, 0, -1},        {PlayMode::Loop, 3, 20, 0, 3},         {PlayMode::Loop, 20, 20, 0, -1},
        {PlayMode::Continuity, 0, 20, 0, 1},   {PlayMode::Continuity, 19, 20, 0, 0},  {PlayMode::Continuity, 25, 20, 0, 0},
        {PlayMode::Continuity, 0, 0, 0, -1},   {PlayMode::Random, 7, 20, 45, 5},
        {PlayMode::Random, 7, 30, 20, 0},   // never beyond row 19
        {PlayMode::Random, 7, 7, 45, 3},    // a short chart draws among its own rows
        {PlayMode::Random, 0, 20, -3, 17},  // a negative draw still lands on a row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RowAfterTrackEnd(c.mode, c.current, c.rowCount, c.draw), c.expected)
            << static_cast<int>(c.mode) << " current " << c.current << " rows " << c.rowCount << " draw " << c.draw;
    }
}

TEST(PlayMode, PrevAndNextNeverWrap)
{
    struct Case {
        int index, rowCount, prev, next;
    } cases[] = {
        {-2, 20, -1, -1}, {-1, 20, -1, 0},  {0, 20, -1, 1},   {19, 20, 18, -1},
        {20, 20, 19, -1}, {21, 20, -1, -1}, {0, 1, -1, -1},   {3, 0, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrevRow(c.index, c.rowCount), c.prev) << c.index << " of " << c.rowCount;
        EXPECT_EQ(NextRow(c.index, c.rowCount), c.next) << c.index << " of " << c.rowCount;
    }
}

TEST(MusicClock, CountsFromOneCarriesTheMinuteWrapsTheHourAndShowsInTheCaption)
{
    // Each tick carries a full minute, shows the time, then moves one second on.
    const struct {
        int seconds, minutes;
        const char *shown, *next;
    } cases[] = {{1, 0, "00:01", "00:02"}, {59, 3, "03:59", "04:00"}, {59, 59, "59:59", "00:00"}};
    for (const auto& c : cases) {
        int seconds = c.seconds, minutes = c.minutes;
        EXPECT_EQ(AdvanceMusicClock(seconds, minutes), c.shown);
        EXPECT_EQ(AdvanceMusicClock(seconds, minutes), c.next);
    }
    // The caption is CP949 without a blank before the counter.
    EXPECT_EQ(NowPlayingCaption("사랑", "가수", "00:01", "03:45"), "스텔론 - 사랑 - 가수(00:01/03:45)");
    EXPECT_EQ(NowPlayingCaption("", "", "00:00", ""), "\xBD\xBA\xC5\xDA\xB7\xD0 -  - (00:00/)");
}
