#include "tools/standin/VideoFeed.h"

#include "tools/standin/Content.h"
#include "tools/standin/TextUtil.h"

#include <algorithm>

namespace standin {

namespace {

constexpr size_t kDefaultMaxResults = 25;
constexpr size_t kLargestMaxResults = 50;

bool IsVideoId(const std::string& id)
{
    return id.size() == 11 && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                      c == '_';
           });
}

// "dddd-dd-ddTdd:dd:dd.dddZ", the form the service writes.
bool IsFeedTime(const std::string& text)
{
    const std::string pattern = "dddd-dd-ddTdd:dd:dd.dddZ";
    if (text.size() != pattern.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const bool digitWanted = pattern[i] == 'd';
        const bool isDigit = text[i] >= '0' && text[i] <= '9';
        if (digitWanted ? !isDigit : text[i] != pattern[i])
            return false;
    }
    return true;
}

void AppendEntry(std::string& feed, const CatalogueVideo& video, const std::string& baseUrl)
{
    const std::string seconds = std::to_string(video.seconds);
    const std::string views = std::to_string(video.views);
    const std::string raters = std::to_string(video.views / 250 + 1);
    const std::string watch = "http://www.youtube.com/watch?v=" + video.id + "&amp;feature=youtube_gdata";
    feed += "<entry>";
    feed += "<id>" + std::string(kVideoIdPrefix) + video.id + "</id>";
    feed += "<published>" + video.published + "</published>";
    feed += "<updated>" + video.published + "</updated>";
    feed += "<category scheme='http://schemas.google.com/g/2005#kind' "
            "term='http://gdata.youtube.com/schemas/2007#video'/>";
    feed += "<title type='text'>" + XmlEscape(video.title) + "</title>";
    feed += "<content type='text'>" + XmlEscape(video.title) + "</content>";
    feed += "<link rel='alternate' type='text/html' href='" + watch + "'/>";
    feed += "<author><name>" + XmlEscape(video.author) + "</name><uri>http://gdata.youtube.com/feeds/api/users/" +
            XmlEscape(video.author) + "</uri></author>";
    // No media:title: a reader that matched element names without their
    // prefix would count it as a second title and shift every row.
    feed += "<media:group>";
    feed += "<media:category label='Entertainment' "
            "scheme='http://gdata.youtube.com/schemas/2007/categories.cat'>Entertainment</media:category>";
    feed += "<media:content url='" + baseUrl + "/v/" + video.id +
            "?version=3' type='application/x-shockwave-flash' medium='video' isDefault='true' expression='full' "
            "duration='" + seconds + "' yt:format='5'/>";
    feed += "<media:description type='plain'>" + XmlEscape(video.title) + "</media:description>";
    feed += "<media:keywords>" + XmlEscape(video.keywords) + "</media:keywords>";
    feed += "<media:player url='" + watch + "_player'/>";
    feed += "<media:thumbnail url='" + baseUrl + "/vi/" + video.id + "/0.jpg' height='360' width='480'/>";
    feed += "<yt:duration seconds='" + seconds + "'/>";
    feed += "<yt:videoid>" + video.id + "</yt:videoid>";
    feed += "</media:group>";
    feed += "<gd:rating average='4.7' max='5' min='1' numRaters='" + raters +
            "' rel='http://schemas.google.com/g/2005#overall'/>";
    feed += "<yt:statistics favoriteCount='0' viewCount='" + views + "'/>";
    feed += "</entry>\n";
}

}  // namespace

std::optional<std::vector<CatalogueVideo>> LoadVideoCatalogue(const std::string& path, std::string& error)
{
    const auto rows = ReadTable(path, 7, error);
    if (!rows)
        return std::nullopt;
    std::vector<CatalogueVideo> catalogue;
    for (const std::vector<std::string>& row : *rows)
    {
        CatalogueVideo video;
        video.id = row[0];
        const std::optional<long long> seconds = ParseCount(row[1]);
        const std::optional<long long> views = ParseCount(row[2]);
        video.published = row[3];
        video.author = row[4];
        video.keywords = row[5];
        video.title = row[6];
        if (!IsVideoId(video.id) || !seconds || !views || !IsFeedTime(video.published) || video.author.empty() ||
            video.title.empty())
        {
            error = path + ": bad video row for id \"" + row[0] + "\"";
            return std::nullopt;
        }
        video.seconds = *seconds;
        video.views = *views;
        catalogue.push_back(std::move(video));
    }
    return catalogue;
}

size_t MaxResultsFrom(const std::optional<std::string>& value)
{
    const std::optional<long long> count = value ? ParseCount(*value) : std::nullopt;
    if (!count)
        return kDefaultMaxResults;
    return static_cast<size_t>(std::min<long long>(*count, kLargestMaxResults));
}

std::vector<CatalogueVideo> FindVideos(const std::vector<CatalogueVideo>& catalogue, const std::string& term)
{
    const std::string wanted = AsciiLower(term);
    std::vector<CatalogueVideo> found;
    for (const CatalogueVideo& video : catalogue)
    {
        if (AsciiLower(video.title).find(wanted) != std::string::npos ||
            AsciiLower(video.keywords).find(wanted) != std::string::npos)
            found.push_back(video);
    }
    return found;
}

std::string BuildVideoFeed(const std::vector<CatalogueVideo>& found, size_t maxResults, const std::string& term,
                           const std::string& baseUrl)
{
    const size_t shown = std::min(found.size(), maxResults);
    std::string feed =
        "<?xml version='1.0' encoding='UTF-8'?>\n"
        "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:media='http://search.yahoo.com/mrss/' "
        "xmlns:gd='http://schemas.google.com/g/2005' "
        "xmlns:yt='http://gdata.youtube.com/schemas/2007'>\n"
        "<!-- Sample data of the stel7 local stand-in server, not real search results. -->\n"
        "<id>http://gdata.youtube.com/feeds/api/videos</id>"
        "<updated>2013-05-06T09:00:00.000Z</updated>"
        "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#video'/>";
    feed += "<title type='text'>YouTube Videos matching query: " + XmlEscape(term) + "</title>";
    feed += "<logo>" + baseUrl + "/img/youtube_logo.png</logo>";
    feed += "<link rel='alternate' type='text/html' href='" + baseUrl + "/'/>";
    feed += "<generator version='2.1' uri='http://gdata.youtube.com'>YouTube data API</generator>";
    feed += "\n";
    for (size_t i = 0; i < shown; ++i)
        AppendEntry(feed, found[i], baseUrl);
    feed += "</feed>\n";
    return feed;
}

}  // namespace standin
