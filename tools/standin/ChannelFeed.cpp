#include "tools/standin/ChannelFeed.h"

#include "tools/standin/Content.h"
#include "tools/standin/TextUtil.h"

#include <cstdint>
#include <ctime>

namespace standin {

namespace {

// 2013-05-06 09:00:00 UTC: the newest upload of every channel.
constexpr std::time_t kNewestUpload = 1367830800;

// A fixed sequence of numbers per text (FNV-1a seed, splitmix64 steps).
class Draw
{
public:
    explicit Draw(const std::string& seedText)
    {
        for (unsigned char c : seedText)
            state_ = (state_ ^ c) * 1099511628211ULL;
    }

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    long long Between(long long low, long long high)
    {
        return low + static_cast<long long>(Next() % static_cast<uint64_t>(high - low + 1));
    }

private:
    uint64_t state_ = 14695981039346656037ULL;
};

std::string VideoId(Draw& draw)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string id;
    for (int i = 0; i < 11; ++i)
        id += alphabet[draw.Next() % 64];
    return id;
}

std::string TwoDigits(long long value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string RssDate(std::time_t when)
{
    std::tm parts{};
    gmtime_r(&when, &parts);
    char text[40];
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S +0000", &parts);
    return text;
}

// The HTML of an item description. After "Views:</span>" come, in this order:
// a newline and the view count up to the next '<'; the rating count right after
// the first <div style="font-size: 11px;">; the running time right after the
// first bold;">. Nothing between them may repeat a marker.
std::string DescriptionHtml(const Channel& channel, const std::string& title, const std::string& videoId,
                            long long views, long long ratings, const std::string& time, const std::string& baseUrl)
{
    const std::string watch = "http://www.youtube.com/watch?v=" + videoId + "&amp;feature=youtube_gdata";
    const std::string html = XmlEscape(title);
    return "<div style=\"color: #000000;font-family: Arial, Helvetica, sans-serif; font-size:12px; font-size: 12px; "
           "width: 555px;\"><table cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tbody><tr>"
           "<td width=\"140\" valign=\"top\" rowspan=\"2\"><div style=\"border: 1px solid #999999; margin: 0px 10px "
           "5px 0px;\"><a href=\"" + watch + "\"><img alt=\"\" src=\"" + baseUrl + "/vi/" + videoId +
           "/default.jpg\"></a></div></td>"
           "<td width=\"256\" valign=\"top\"><div style=\"font-size: 12px; font-weight: bold;\"><a style=\"font-size: "
           "15px; font-weight: bold; font-decoration: none;\" href=\"" + watch + "\">" + html + "</a><br></div>"
           "<div style=\"font-size: 12px; margin: 3px 0px;\"><span>" + XmlEscape(channel.description) +
           "</span></div></td>"
           "<td style=\"font-size: 11px; line-height: 1.4em; padding-left: 20px; padding-top: 1px;\" width=\"146\" "
           "valign=\"top\"><div><span style=\"color: #666666; font-size: 11px;\">From:</span> <a href=\"" + baseUrl +
           "/user/" + channel.id + "\">" + channel.id + "</a></div>"
           "<div><span style=\"color: #666666; font-size: 11px;\">Views:</span>\n" + std::to_string(views) +
           "</div><div style=\"white-space: nowrap;text-align: left\"><img style=\"border: 0px none; margin: 0px; "
           "padding: 0px; vertical-align: middle; font-size: 11px;\" align=\"top\" alt=\"\" src=\"" + baseUrl +
           "/img/icn_star_full_11x11.gif\"></div>"
           "<div style=\"font-size: 11px;\">" + std::to_string(ratings) +
           "<span style=\"color: #666666; font-size: 11px;\"> ratings</span></div></td></tr>"
           "<tr><td style=\"font-size: 11px; line-height: 1.4em; padding-left: 20px; padding-top: 1px;\" "
           "width=\"146\" valign=\"top\"><span style=\"color: #666666; font-size: 11px;\">Time:</span> "
           "<span style=\"color: #000000; font-size: 11px; font-weight: bold;\">" + time + "</span></td></tr>"
           "</tbody></table></div>";
}

}  // namespace

std::optional<ChannelCatalogue> LoadChannelCatalogue(const std::string& channelsPath,
                                                     const std::string& templatesPath, std::string& error)
{
    const auto channelRows = ReadTable(channelsPath, 5, error);
    if (!channelRows)
        return std::nullopt;
    const auto templateRows = ReadTable(templatesPath, 2, error);
    if (!templateRows)
        return std::nullopt;

    ChannelCatalogue catalogue;
    for (const std::vector<std::string>& row : *templateRows)
        catalogue.titleTemplates[row[0]].push_back(row[1]);
    for (const std::vector<std::string>& row : *channelRows)
    {
        Channel channel{row[0], row[1], row[2], row[3], Split(row[4], '|')};
        if (channel.id.empty() || channel.name.empty() || catalogue.titleTemplates.count(channel.kind) == 0)
        {
            error = channelsPath + ": bad channel row \"" + row[0] + "\" (or no templates for its kind)";
            return std::nullopt;
        }
        catalogue.channels.push_back(std::move(channel));
    }
    return catalogue;
}

const Channel* FindChannel(const ChannelCatalogue& catalogue, const std::string& id)
{
    for (const Channel& channel : catalogue.channels)
    {
        if (channel.id == id)
            return &channel;
    }
    return nullptr;
}

std::string BuildChannelFeed(const ChannelCatalogue& catalogue, const Channel& channel, const std::string& baseUrl)
{
    const std::vector<std::string>& templates = catalogue.titleTemplates.at(channel.kind);
    const std::string owner = XmlEscape(channel.name) + " (" + XmlEscape(channel.id) + ")";
    std::string feed =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<rss version=\"2.0\">\n"
        "<!-- Sample data of the stel7 local stand-in server, not a real channel feed. -->\n"
        "<channel>";
    feed += "<title>" + owner + u8"님이 업로드한 동영상</title>";
    feed += "<link>" + baseUrl + "/user/" + XmlEscape(channel.id) + "</link>";
    feed += "<description>" + XmlEscape(channel.description) + "</description>";
    feed += "<language>ko</language>";
    feed += "<image><title>" + owner + "</title><url>" + baseUrl + "/img/channel/" + XmlEscape(channel.id) +
            ".jpg</url><link>" + baseUrl + "/user/" + XmlEscape(channel.id) + "</link></image>";
    feed += "<lastBuildDate>" + RssDate(kNewestUpload) + "</lastBuildDate>";
    feed += "<generator>YouTube data API</generator>\n";

    Draw draw(channel.id);
    std::time_t uploaded = kNewestUpload;
    const size_t items = channel.subjects.size() * templates.size();
    for (size_t i = 0; i < items; ++i)
    {
        const std::string& subject = channel.subjects[i % channel.subjects.size()];
        const std::string& pattern = templates[i / channel.subjects.size()];
        std::string title = ReplaceAll(pattern, "{subject}", subject);
        title = ReplaceAll(title, "{n}", std::to_string(draw.Between(12, 198)));
        title = ReplaceAll(title, "{name}", channel.name);
        const std::string videoId = VideoId(draw);
        const long long views = draw.Between(1200, 2400000);
        const long long ratings = views / draw.Between(60, 400) + 1;
        const long long seconds = draw.Between(45, 899);
        const std::string time = TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);

        feed += "<item>";
        feed += "<guid isPermaLink=\"false\">tag:youtube.com,2008:video:" + videoId + "</guid>";
        feed += "<pubDate>" + RssDate(uploaded) + "</pubDate>";
        feed += "<title>" + XmlEscape(title) + "</title>";
        feed += "<link>http://www.youtube.com/watch?v=" + videoId + "&amp;feature=youtube_gdata</link>";
        feed += "<author>" + XmlEscape(channel.id) + "</author>";
        feed += "<description>" +
                XmlEscape(DescriptionHtml(channel, title, videoId, views, ratings, time, baseUrl)) + "</description>";
        feed += "</item>\n";
        uploaded -= static_cast<std::time_t>(draw.Between(3, 30)) * 3600;
    }
    feed += "</channel>\n</rss>\n";
    return feed;
}

}  // namespace standin
