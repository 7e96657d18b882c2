#include "tools/standin/VideoFeed.h"
#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"
#include "tools/standin/TextUtil.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

using standin_test::EncodeLikeClient;
using standin_test::ParseXml;
using standin_test::TestServer;
using standin_test::XmlDocument;
using standin_test::XmlElement;

namespace {

const std::string kFeedId = "http://gdata.youtube.com/feeds/api/videos";

XmlDocument Search(const TestServer& server, const std::string& query)
{
    const auto document = ParseXml(server.Body("/feeds/api/videos?" + query));
    EXPECT_TRUE(document) << query;
    return document.value_or(XmlDocument());
}

// Checks the layout the programs rely on and returns the entry titles.
std::vector<std::string> EntryTitles(const XmlDocument& feed)
{
    const auto titles = feed.Texts("title");
    const auto ids = feed.Texts("id");
    const size_t entries = feed.Count("entry");
    EXPECT_EQ(titles.size(), entries + 1);
    EXPECT_EQ(ids.size(), entries + 1);
    EXPECT_EQ(feed.Count("yt:duration"), entries);
    EXPECT_EQ(feed.Count("published"), entries);
    EXPECT_EQ(feed.Count("yt:statistics"), entries);
    if (titles.empty() || ids.empty())
        return {};
    EXPECT_EQ(ids[0], kFeedId);
    return std::vector<std::string>(titles.begin() + 1, titles.end());
}

}  // namespace

TEST(VideoFeed, EntriesCarryWhatTheRowsAreMadeOf)
{
    TestServer server;
    const XmlDocument feed = Search(server, "max-results=30&q=" + EncodeLikeClient(u8"벚꽃축제"));
    ASSERT_GE(EntryTitles(feed).size(), 3u);

    const auto ids = feed.Texts("id");
    for (size_t i = 1; i < ids.size(); ++i)
    {
        ASSERT_EQ(ids[i].size(), 42u + 11u) << ids[i];
        EXPECT_EQ(ids[i].substr(0, 42), std::string(standin::kVideoIdPrefix)) << ids[i];
    }
    for (const std::string& seconds : feed.Attributes("yt:duration", 0))
        EXPECT_TRUE(standin::ParseCount(seconds)) << seconds;
    for (const std::string& date : feed.Texts("published"))
    {
        EXPECT_EQ(date.size(), 24u) << date;
        EXPECT_EQ(date.substr(4, 1) + date.substr(7, 1) + date.substr(10, 1), "--T") << date;
    }
    for (const XmlElement& element : feed.elements)
    {
        if (element.name != "yt:statistics")
            continue;
        ASSERT_EQ(element.attributes.size(), 2u);
        EXPECT_EQ(element.attributes[1].first, "viewCount");
        EXPECT_TRUE(standin::ParseCount(element.attributes[1].second)) << element.attributes[1].second;
    }
}

TEST(VideoFeed, EveryEntryMatchesTheTermIgnoringAsciiCase)
{
    TestServer server;
    const std::vector<std::string> upper = EntryTitles(Search(server, "max-results=30&q=OST"));
    const std::vector<std::string> lower = EntryTitles(Search(server, "max-results=30&q=ost"));
    ASSERT_FALSE(upper.empty());
    EXPECT_EQ(upper, lower);

    const XmlDocument feed = Search(server, "max-results=30&q=" + EncodeLikeClient(u8"캠핑"));
    const auto titles = EntryTitles(feed);
    const auto keywords = feed.Texts("media:keywords");
    ASSERT_FALSE(titles.empty());
    ASSERT_EQ(keywords.size(), titles.size());
    for (size_t i = 0; i < titles.size(); ++i)
        EXPECT_TRUE(titles[i].find(u8"캠핑") != std::string::npos || keywords[i].find(u8"캠핑") != std::string::npos)
            << titles[i];
}

TEST(VideoFeed, NoMatchIsAValidFeedWithoutEntries)
{
    TestServer server;
    const XmlDocument feed = Search(server, "max-results=30&q=" + EncodeLikeClient(u8"존재하지않는검색어"));
    EXPECT_TRUE(EntryTitles(feed).empty());
    EXPECT_EQ(feed.Count("title"), 1u);
}

TEST(VideoFeed, MaxResultsIsHonouredAndBounded)
{
    TestServer server;
    const size_t all = EntryTitles(Search(server, "max-results=50&q=")).size();
    ASSERT_GE(all, 30u);
    const std::pair<std::string, size_t> cases[] = {
        {"max-results=30&q=", 30},
        {"max-results=2&q=", 2},
        {"max-results=0&q=", 0},
        {"max-results=500&q=", std::min<size_t>(all, 50)},
        {"max-results=abc&q=", 25},
        {"q=", 25},
    };
    for (const auto& [query, expected] : cases)
        EXPECT_EQ(EntryTitles(Search(server, query)).size(), expected) << query;
}

TEST(VideoFeed, MarkupInTheTermIsEscaped)
{
    TestServer server;
    const XmlDocument feed = Search(server, "max-results=30&q=%3C%26%27%22%3E");
    ASSERT_EQ(feed.Texts("title").size(), 1u);
    EXPECT_NE(feed.Texts("title")[0].find("<&'\">"), std::string::npos);
}

TEST(VideoFeed, CatalogueRowsAreChecked)
{
    const std::string good = "abcdefghijk\t225\t12345\t2013-05-04T10:11:12.000Z\tauthor\tk1,k2\ttitle";
    const std::string cases[] = {
        "abcdefghij\t225\t12345\t2013-05-04T10:11:12.000Z\tauthor\tk\ttitle",   // id too short
        "abcdefghi!k\t225\t12345\t2013-05-04T10:11:12.000Z\tauthor\tk\ttitle",  // id alphabet
        "abcdefghijk\t2m\t12345\t2013-05-04T10:11:12.000Z\tauthor\tk\ttitle",
        "abcdefghijk\t225\t-5\t2013-05-04T10:11:12.000Z\tauthor\tk\ttitle",
        "abcdefghijk\t225\t12345\t2013-05-04 10:11:12\tauthor\tk\ttitle",
        "abcdefghijk\t225\t12345\t2013-05-04T10:11:12.000Z\t\tk\ttitle",
        "abcdefghijk\t225\t12345\t2013-05-04T10:11:12.000Z\tauthor\tk",         // a column short
    };
    char path[] = "/tmp/standin_videos_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string error;
    std::ofstream(path) << "# comment\n\n" << good << "\n";
    const auto catalogue = standin::LoadVideoCatalogue(path, error);
    ASSERT_TRUE(catalogue) << error;
    ASSERT_EQ(catalogue->size(), 1u);
    EXPECT_EQ(catalogue->at(0).seconds, 225);
    for (const std::string& row : cases)
    {
        std::ofstream(path) << good << "\n" << row << "\n";
        error.clear();
        EXPECT_FALSE(standin::LoadVideoCatalogue(path, error)) << row;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    close(fd);
    std::remove(path);
}
