#include "core/FeedRows.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace core;

namespace {

const std::string kHost = "video.test";

std::string Player(const std::string& id)
{
    return "http://video.test/v/" + id + "?version=3&amp;autohide=1;autoplay=1;showinfo=0";
}

// An upload feed item description as the channel feed writes it; the rating
// marker also occurs before "Views:", where it must not be taken.
const std::string kDescription =
    "<div style=\"font-size: 11px;\">From: MBC</div>"
    "<span style=\"color: #666666;\">Views:</span>\n12,345\n</div>"
    "<div style=\"font-size: 11px;\">321</div>"
    "<span style=\"color: #000000; font-size: 11px; font-weight: bold;\">04:12</span>";

}  // namespace

TEST(FeedRows, VideoAndTweetRows)
{
    const std::vector<VideoEntry> entries = {
        {"첫째", "http://gdata.youtube.com/feeds/api/videos/vid1", "3725", "2013-05-04T10:11:12.000Z", "987"},
        // An id of the bare 42-byte prefix names no video.
        {"", "http://gdata.youtube.com/feeds/api/videos/", "", "", ""},
    };
    const std::vector<Row> expected = {
        {"첫째", "01:02:05", "2013-05-04", "987", Player("vid1")},
        {"", "00:00:00", "", "", Player("")},
    };
    EXPECT_EQ(VideoRows(entries, kHost), expected);
    EXPECT_EQ(TweetRows({{"글", "user", "2013-05-04T10:11:12Z", "http://u"}}),
              (std::vector<Row>{{"글", "user", "2013-05-04", "http://u"}}));
}

TEST(FeedRows, ChannelDescriptionValues)
{
    struct Case {
        std::string description, time, ratings, views;
    } cases[] = {
        {kDescription, "04:12", "321", "12,345"},
        // No "Views:</span>": the tail starts at byte 12.
        {"0123456789AB<div style=\"font-size: 11px;\">7</div>bold;\">01:00</span>", "01:00", "7", ""},
        // A view count without a following '<' is cut to nothing.
        {"Views:</span>1234", "", "", ""},
        // Missing time marker: the tail from byte 6 up to its first '<'.
        {"Views:</span>55</div>abc<", "v>abc", "", "55"},
    };
    for (const Case& c : cases) {
        const ChannelValues v = ChannelDescriptionValues(c.description);
        EXPECT_EQ(std::tie(v.time, v.ratings, v.views), std::tie(c.time, c.ratings, c.views)) << c.description;
    }
}

TEST(FeedRows, ChannelRows)
{
    // The id ends at the '&' after "v=": without one there is no id.
    EXPECT_EQ(VideoIdFromLink("http://www.youtube.com/watch?v=abc"), "");
    const std::vector<ChannelItem> items = {
        {"무한도전", kDescription, "http://www.youtube.com/watch?v=vid1&feature=youtube_gdata"},
        {"빈 항목", "", ""},
    };
    const std::vector<Row> expected = {
        {"무한도전", "04:12", "321", "12,345", Player("vid1")},
        {"빈 항목", "", "", "", Player("")},
    };
    EXPECT_EQ(ChannelRows(items, kHost), expected);
}

TEST(FeedRows, MusicRowsStopAtTheShortestList)
{
    MusicLists lists;
    lists.title = {"1. 노래", "2. 곡", "3. extra"};
    lists.time = {"03:45", "04:00", "01:00"};
    lists.name = {"가수", "밴드"};
    lists.album = {"앨범", "음반", "x"};
    lists.genre = {"가요", "록", "x"};
    lists.id = {"m1", "m2", "m3"};
    const std::vector<Row> expected = {
        {"1. 노래", "03:45", "가수", "앨범", "가요", "http://video.test/v/m1?version=3&amp;autohide=1;autoplay=1"},
        {"2. 곡", "04:00", "밴드", "음반", "록", "http://video.test/v/m2?version=3&amp;autohide=1;autoplay=1"},
    };
    EXPECT_EQ(MusicRows(lists, kHost), expected);
    lists.name = {"a", "b", "c", "d"};
    lists.id = {"m1"};
    EXPECT_EQ(MusicRows(lists, kHost).size(), 1u);
}
