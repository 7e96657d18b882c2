#pragma once

// Turns the values read from each feed into the cells of its list rows, in
// column order. The last cell of every row is the address that activating the
// row uses. A missing value arrives as an empty string and still gives a row.

#include <string>
#include <vector>

namespace core {

using Row = std::vector<std::string>;

// One entry of the video search feed.
struct VideoEntry {
    std::string title;
    std::string id;         // full id text, ".../feeds/api/videos/" + video id
    std::string seconds;    // first attribute of yt:duration
    std::string published;
    std::string views;      // second attribute of yt:statistics
};

// Video id from an entry id: the id without the feed's 42-byte prefix
// "http://gdata.youtube.com/feeds/api/videos/"; "" for 42 bytes or fewer.
std::string VideoIdFromEntryId(const std::string& id);

// Cells: title, duration "hh:mm:ss", date (first 10 bytes), views, player URL.
std::vector<Row> VideoRows(const std::vector<VideoEntry>& entries, const std::string& videoHost);

// One entry of the micro-blog search feed.
struct TweetEntry {
    std::string title;
    std::string name;
    std::string published;
    std::string uri;
};

// Cells: title, name, date (first 10 bytes), uri.
std::vector<Row> TweetRows(const std::vector<TweetEntry>& entries);

// One item of a channel's upload feed.
struct ChannelItem {
    std::string title;
    std::string description;  // HTML fragment with the time and both counts
    std::string link;         // watch address, video id in its first query parameter
};

// The three values scraped from an item description.
struct ChannelValues {
    std::string time;
    std::string ratings;
    std::string views;
};

// Cuts the values after their fixed markers; a missing marker counts as found
// at -1 (see TextAfterFirst), so odd descriptions give odd but bounded values.
ChannelValues ChannelDescriptionValues(const std::string& description);

// The text after the link's first "=", up to the next "&"; "" without "&".
// A link without "=" is cut from byte 0, by the same -1 rule as descriptions.
std::string VideoIdFromLink(const std::string& link);

// Cells: title, running time, rating count, view count, player URL.
std::vector<Row> ChannelRows(const std::vector<ChannelItem>& items, const std::string& videoHost);

// One post of the humour board.
struct HumorItem {
    std::string title;
    std::string creator;
    std::string link;
};

// Cells: title, author, link.
std::vector<Row> HumorRows(const std::vector<HumorItem>& items);

// The music chart's six element lists, each in document order.
struct MusicLists {
    std::vector<std::string> title;
    std::vector<std::string> time;
    std::vector<std::string> name;
    std::vector<std::string> album;
    std::vector<std::string> genre;
    std::vector<std::string> id;
};

// Cells: title, time, singer, album, genre, music player URL. One row per
// song that all six lists hold: rows beyond the shortest list are left out.
std::vector<Row> MusicRows(const MusicLists& lists, const std::string& videoHost);

}  // namespace core
