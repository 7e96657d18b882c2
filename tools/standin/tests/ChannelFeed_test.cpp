#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

using standin_test::ParseXml;
using standin_test::TestServer;

namespace {

// The channels in the programs' tab order, with the name every title mentions.
const std::pair<const char*, const char*> kChannels[] = {
    {"MBCentertainment", "MBC"}, {"entertainmentSBS", "SBS"}, {"TheChtvn", "tvN"},
    {"Mnet", "Mnet"},            {"JTBCentertainment", "JTBC"}, {"mbn", "MBN"},
    {"mainchannela", u8"채널A"},  {"TVOngamenet", u8"온게임넷"}, {"SMTOWN", "SM Entertainment"},
    {"YGEntertainment", "YG Entertainment"}, {"jypentertainment", "JYP Entertainment"},
};

// The programs' text cutting: from just after the first marker (a missing
// marker counts as position -1), and before the first character.
std::string After(const std::string& text, const std::string& marker)
{
    const size_t at = text.find(marker);
    const size_t from = at == std::string::npos ? marker.size() - 1 : at + marker.size();
    return from > text.size() ? std::string() : text.substr(from);
}

std::string Before(const std::string& text, char c)
{
    const size_t at = text.find(c);
    return at == std::string::npos ? std::string() : text.substr(0, at);
}

struct Scraped
{
    std::string views;
    std::string ratings;
    std::string time;
};

Scraped Scrape(const std::string& description)
{
    const std::string tail = After(description, "Views:</span>");
    std::string joined = tail;
    joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
    return {Before(joined, '<'), Before(After(tail, "<div style=\"font-size: 11px;\">"), '<'),
            Before(After(tail, "bold;\">"), '<')};
}

std::string ChannelTarget(const std::string& id)
{
    return "/rss/user/" + id + "/videos.rss";
}

}  // namespace

TEST(ChannelFeed, EveryChannelGivesFifteenRowsTheProgramsCanScrape)
{
    TestServer server;
    const std::regex number("[1-9][0-9]*");
    const std::regex clock("[0-9][0-9]:[0-5][0-9]");
    const std::regex watchLink("http://www\\.youtube\\.com/watch\\?v=([A-Za-z0-9_-]{11})&feature=youtube_gdata");
    for (const auto& [id, name] : kChannels)
    {
        const auto feed = ParseXml(server.Body(ChannelTarget(id)));
        ASSERT_TRUE(feed) << id;
        const auto titles = feed->Texts("title");
        const auto links = feed->Texts("link");
        const auto descriptions = feed->Texts("description");
        // Channel title and image title, channel link and image link, channel description first.
        ASSERT_EQ(titles.size(), 2u + 15u) << id;
        ASSERT_EQ(links.size(), 2u + 15u) << id;
        ASSERT_EQ(descriptions.size(), 1u + 15u) << id;
        ASSERT_EQ(feed->Count("item"), 15u) << id;
        for (size_t i = 0; i < 15; ++i)
        {
            EXPECT_NE(titles[i + 2].find(name), std::string::npos) << titles[i + 2];
            const Scraped values = Scrape(descriptions[i + 1]);
            EXPECT_TRUE(std::regex_match(values.views, number)) << id << " views [" << values.views << "]";
            EXPECT_TRUE(std::regex_match(values.ratings, number)) << id << " ratings [" << values.ratings << "]";
            EXPECT_TRUE(std::regex_match(values.time, clock)) << id << " time [" << values.time << "]";
            EXPECT_TRUE(std::regex_match(links[i + 2], watchLink)) << links[i + 2];
            // The view count follows the marker on a new line.
            EXPECT_EQ(After(descriptions[i + 1], "Views:</span>").substr(0, values.views.size() + 1),
                      "\n" + values.views);
        }
    }
}

TEST(ChannelFeed, ChannelsDifferAndVideoIdsAreUnique)
{
    TestServer server;
    std::set<std::string> titles;
    std::set<std::string> links;
    for (const auto& [id, name] : kChannels)
    {
        const auto feed = ParseXml(server.Body(ChannelTarget(id)));
        ASSERT_TRUE(feed) << id;
        const auto channelTitles = feed->Texts("title");
        const auto channelLinks = feed->Texts("link");
        titles.insert(channelTitles.begin() + 2, channelTitles.end());
        links.insert(channelLinks.begin() + 2, channelLinks.end());
    }
    EXPECT_EQ(titles.size(), 11u * 15u);
    EXPECT_EQ(links.size(), 11u * 15u);
}

TEST(ChannelFeed, SameChannelGivesTheSameFeed)
{
    TestServer server;
    EXPECT_EQ(server.Body(ChannelTarget("SMTOWN")), server.Body(ChannelTarget("SMTOWN")));
}

TEST(ChannelFeed, UnknownChannelsAreNotFound)
{
    TestServer server;
    for (const char* target : {"/rss/user/mbcentertainment/videos.rss", "/rss/user/KBSWorld/videos.rss",
                               "/rss/user//videos.rss", "/rss/user/Mnet/videos.xml", "/rss/user/Mnet/extra/videos.rss"})
    {
        const httplib::Result result = server.Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, 404) << target;
    }
}
