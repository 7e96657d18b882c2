#pragma once

// The video search stand-in: a catalogue of sample videos, the search over it
// and the GData-style Atom feed the programs read (feed id and title first, then
// per entry id, published, title, yt:duration and yt:statistics).

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct CatalogueVideo
{
    std::string id;         // 11 characters of the video service's id alphabet
    long long seconds = 0;  // running time
    long long views = 0;
    std::string published;  // 2013-05-04T10:11:12.000Z
    std::string author;
    std::string keywords;   // comma-separated
    std::string title;
};

// Columns: id, seconds, views, published, author, keywords, title. Every value
// is checked, so a bad table stops the server at start rather than at a search.
std::optional<std::vector<CatalogueVideo>> LoadVideoCatalogue(const std::string& path, std::string& error);

// The service's page size: 25 when absent or not a number, never above 50.
size_t MaxResultsFrom(const std::optional<std::string>& value);

// The videos whose title or keywords contain the term, ASCII case ignored, in
// catalogue order. An empty term matches every video.
std::vector<CatalogueVideo> FindVideos(const std::vector<CatalogueVideo>& catalogue, const std::string& term);

// The feed for the first `maxResults` of `found`.
std::string BuildVideoFeed(const std::vector<CatalogueVideo>& found, size_t maxResults, const std::string& term,
                           const std::string& baseUrl);

// The fixed part of every entry id; the programs cut exactly this many
// characters off to get the video id.
inline constexpr const char kVideoIdPrefix[] = "http://gdata.youtube.com/feeds/api/videos/";

}  // namespace standin
