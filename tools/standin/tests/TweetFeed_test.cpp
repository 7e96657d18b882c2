#include "tools/standin/TweetFeed.h"
#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

using standin_test::EncodeLikeClient;
using standin_test::ParseXml;
using standin_test::TestServer;

TEST(TweetFeed, EveryPostMentionsTheTermAndHasItsAuthor)
{
    TestServer server;
    const std::string term = u8"벚꽃축제";
    const auto feed = ParseXml(server.Body("/search.atom?q=" + EncodeLikeClient(term)));
    ASSERT_TRUE(feed);
    const auto titles = feed->Texts("title");
    const auto names = feed->Texts("name");
    const auto uris = feed->Texts("uri");
    const auto published = feed->Texts("published");
    ASSERT_GE(titles.size(), 2u);
    EXPECT_EQ(feed->Count("entry"), titles.size() - 1);
    // The rows pair post r with title r + 1: the feed has no author of its own.
    EXPECT_EQ(names.size(), titles.size() - 1);
    EXPECT_EQ(uris.size(), names.size());
    EXPECT_EQ(published.size(), names.size());
    EXPECT_NE(titles[0].find(term), std::string::npos);
    for (size_t r = 0; r < names.size(); ++r)
    {
        EXPECT_NE(titles[r + 1].find(term), std::string::npos) << titles[r + 1];
        EXPECT_FALSE(names[r].empty());
        EXPECT_EQ(uris[r].rfind("http://twitter.com/", 0), 0u) << uris[r];
        EXPECT_EQ(published[r].substr(4, 1) + published[r].substr(7, 1), "--") << published[r];
    }
}

TEST(TweetFeed, EmptyTermGivesAFeedWithoutPosts)
{
    TestServer server;
    for (const char* target : {"/search.atom?q=", "/search.atom"})
    {
        const auto feed = ParseXml(server.Body(target));
        ASSERT_TRUE(feed) << target;
        EXPECT_EQ(feed->Count("entry"), 0u) << target;
        EXPECT_EQ(feed->Count("title"), 1u) << target;
    }
}

TEST(TweetFeed, MarkupInTheTermIsEscaped)
{
    TestServer server;
    const auto feed = ParseXml(server.Body("/search.atom?q=R%26B%3C"));
    ASSERT_TRUE(feed);
    const auto titles = feed->Texts("title");
    ASSERT_GE(titles.size(), 2u);
    EXPECT_NE(titles[1].find("R&B<"), std::string::npos);
}

TEST(TweetFeed, TemplatesWithoutTheTermAreRefused)
{
    char path[] = "/tmp/standin_tweets_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string error;
    std::ofstream(path) << "user\tname\t2013-05-06T08:41:10Z\tno term here\n";
    EXPECT_FALSE(standin::LoadTweetTemplates(path, error));
    std::ofstream(path) << "user\tname\t2013-05-06\t{term} but a short date\n";
    EXPECT_FALSE(standin::LoadTweetTemplates(path, error));
    std::ofstream(path) << "user\tname\t2013-05-06T08:41:10Z\t{term} fine\n";
    EXPECT_TRUE(standin::LoadTweetTemplates(path, error)) << error;
    close(fd);
    std::remove(path);
}
