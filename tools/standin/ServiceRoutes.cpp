#include "tools/standin/ServiceRoutes.h"

#include "tools/standin/Content.h"
#include "tools/standin/Site.h"
#include "tools/standin/TextUtil.h"

#include <httplib.h>

namespace standin {

namespace {

constexpr const char kXml[] = "text/xml; charset=utf-8";

std::string PlayerPage(const std::string& videoId)
{
    const std::string id = XmlEscape(videoId);
    return u8"<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\"><title>동영상 플레이어 - " + id +
           u8"</title></head>\n<body><h1>동영상 플레이어</h1>\n<p>로컬 대역 서버의 재생 화면입니다. 동영상 번호: "
           u8"<span id=\"video-id\">" + id + "</span></p>\n</body></html>\n";
}

// The portal answers only its own key, for the real-time rank of the
// integrated search.
bool IsRankRequest(std::string_view rawQuery, const std::string& rankKey)
{
    return QueryValue(rawQuery, "key") == rankKey && QueryValue(rawQuery, "query") == "nexearch" &&
           QueryValue(rawQuery, "target") == "rank";
}

}  // namespace

bool LoadCatalogues(const std::string& contentDir, Catalogues& catalogues, std::string& error)
{
    const std::string data = contentDir + "/data/";
    auto videos = LoadVideoCatalogue(data + "videos.tsv", error);
    if (!videos)
        return false;
    auto tweets = LoadTweetTemplates(data + "tweets.tsv", error);
    if (!tweets)
        return false;
    auto channels = LoadChannelCatalogue(data + "channels.tsv", data + "channel_titles.tsv", error);
    if (!channels)
        return false;
    catalogues.videos = std::move(*videos);
    catalogues.tweets = std::move(*tweets);
    catalogues.channels = std::move(*channels);
    return true;
}

void AddServiceRoutes(httplib::Server& server, const Site& site, const Catalogues& catalogues)
{
    server.Get("/feeds/api/videos", [&site, &catalogues](const httplib::Request& request, httplib::Response& response) {
        const std::string_view query = RawQuery(request.target);
        const std::string term = QueryValue(query, "q").value_or(std::string());
        const size_t maxResults = MaxResultsFrom(QueryValue(query, "max-results"));
        response.set_content(BuildVideoFeed(FindVideos(catalogues.videos, term), maxResults, term, site.baseUrl),
                             kXml);
    });

    server.Get("/search\\.atom", [&site, &catalogues](const httplib::Request& request, httplib::Response& response) {
        const std::string term = QueryValue(RawQuery(request.target), "q").value_or(std::string());
        response.set_content(BuildTweetFeed(catalogues.tweets, term, site.baseUrl), kXml);
    });

    server.Get(R"(/rss/user/([^/]+)/videos\.rss)",
               [&site, &catalogues](const httplib::Request& request, httplib::Response& response) {
                   const Channel* channel = FindChannel(catalogues.channels, request.matches[1]);
                   if (!channel)
                   {
                       response.status = 404;
                       return;
                   }
                   response.set_content(BuildChannelFeed(catalogues.channels, *channel, site.baseUrl), kXml);
               });

    server.Get("/search", [&site](const httplib::Request& request, httplib::Response& response) {
        const bool valid = IsRankRequest(RawQuery(request.target), site.rankKey);
        AnswerWithContent(site, valid ? "search/rank.xml" : "search/rank_error.xml", response);
    });

    server.Get(R"(/v/([^/]+))", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(PlayerPage(request.matches[1]), "text/html; charset=utf-8");
    });
}

}  // namespace standin
