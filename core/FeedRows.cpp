#include "core/FeedRows.h"

#include "core/PlayerUrl.h"
#include "core/TextRules.h"

#include <algorithm>

namespace core {

namespace {

// "http://gdata.youtube.com/feeds/api/videos/"
constexpr size_t kEntryIdPrefixLength = 42;
constexpr size_t kDateLength = 10;

}  // namespace

std::string VideoIdFromEntryId(const std::string& id)
{
    return id.size() > kEntryIdPrefixLength ? id.substr(kEntryIdPrefixLength) : std::string();
}

std::vector<Row> VideoRows(const std::vector<VideoEntry>& entries, const std::string& videoHost)
{
    std::vector<Row> rows;
    rows.reserve(entries.size());
    for (const VideoEntry& e : entries) {
        rows.push_back({e.title, FormatDuration(LeadingInt(e.seconds)), FirstChars(e.published, kDateLength),
                        e.views, PlayerUrl(videoHost, VideoIdFromEntryId(e.id))});
    }
    return rows;
}

std::vector<Row> TweetRows(const std::vector<TweetEntry>& entries)
{
    std::vector<Row> rows;
    rows.reserve(entries.size());
    for (const TweetEntry& e : entries)
        rows.push_back({e.title, e.name, FirstChars(e.published, kDateLength), e.uri});
    return rows;
}

ChannelValues ChannelDescriptionValues(const std::string& description)
{
    // The counts are searched in the tail as it stands; only the view count
    // drops its line breaks.
    const std::string tail = TextAfterFirst(description, "Views:</span>");
    ChannelValues values;
    values.views = TextBeforeFirst(RemoveChar(tail, '\n'), '<');
    values.ratings = TextBeforeFirst(TextAfterFirst(tail, "<div style=\"font-size: 11px;\">"), '<');
    values.time = TextBeforeFirst(TextAfterFirst(tail, "bold;\">"), '<');
    return values;
}

std::string VideoIdFromLink(const std::string& link)
{
    return TextBeforeFirst(TextAfterFirst(link, "="), '&');
}

std::vector<Row> ChannelRows(const std::vector<ChannelItem>& items, const std::string& videoHost)
{
    std::vector<Row> rows;
    rows.reserve(items.size());
    for (const ChannelItem& item : items) {
        const ChannelValues v = ChannelDescriptionValues(item.description);
        rows.push_back({item.title, v.time, v.ratings, v.views, PlayerUrl(videoHost, VideoIdFromLink(item.link))});
    }
    return rows;
}

std::vector<Row> HumorRows(const std::vector<HumorItem>& items)
{
    std::vector<Row> rows;
    rows.reserve(items.size());
    for (const HumorItem& item : items)
        rows.push_back({item.title, item.creator, item.link});
    return rows;
}

std::vector<Row> MusicRows(const MusicLists& lists, const std::string& videoHost)
{
    const size_t count = std::min({lists.title.size(), lists.time.size(), lists.name.size(), lists.album.size(),
                                   lists.genre.size(), lists.id.size()});
    std::vector<Row> rows;
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        rows.push_back({lists.title[i], lists.time[i], lists.name[i], lists.album[i], lists.genre[i],
                        MusicPlayerUrl(videoHost, lists.id[i])});
    }
    return rows;
}

}  // namespace core
