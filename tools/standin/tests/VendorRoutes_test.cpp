#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"
#include "tools/standin/TextUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

using standin_test::ParseXml;
using standin_test::TestServer;

namespace {

std::string ContentType(const httplib::Result& result)
{
    return result ? result->get_header_value("Content-Type") : std::string();
}

bool IsDigits(const std::string& text, size_t from, size_t count)
{
    if (text.size() < from + count)
        return false;
    for (size_t i = from; i < from + count; ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

}  // namespace

TEST(VendorRoutes, EveryDocumentIsXmlWithTheServersAddressFilledIn)
{
    TestServer server;
    for (const char* path : {"/app/stel7/update/update.xml", "/app/stel7/advert/config.xml",
                             "/app/stel7/config/music.xml", "/zbxe/comedy/rss"})
    {
        const httplib::Result result = server.Get(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 200) << path;
        EXPECT_EQ(ContentType(result), "text/xml; charset=utf-8") << path;
        EXPECT_TRUE(ParseXml(result->body)) << path;
        EXPECT_EQ(result->body.find("@BASE@"), std::string::npos) << path;
    }
}

TEST(VendorRoutes, UpdateDocumentAnnouncesTheCurrentBuildForBoth)
{
    TestServer server;
    const auto document = ParseXml(server.Body("/app/stel7/update/update.xml"));
    ASSERT_TRUE(document);
    const std::string updater = server.BaseUrl() + "/app/stel7/update/stel7_update.exe";
    EXPECT_EQ(document->Texts("update_ver"), std::vector<std::string>{"194"});
    EXPECT_EQ(document->Texts("agent_ver"), std::vector<std::string>{"194"});
    EXPECT_EQ(document->Texts("update_url"), std::vector<std::string>{updater});
    EXPECT_EQ(document->Texts("agent_url"), std::vector<std::string>{updater});

    const httplib::Result download = server.Get("/app/stel7/update/stel7_update.exe");
    ASSERT_TRUE(download);
    EXPECT_EQ(download->status, 200);
    EXPECT_FALSE(download->body.empty());
    EXPECT_EQ(ContentType(download), "application/octet-stream");
}

TEST(VendorRoutes, AdvertisingDocumentSwitchesBothOffAndNamesServedPages)
{
    TestServer server;
    const auto document = ParseXml(server.Body("/app/stel7/advert/config.xml"));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Texts("popup_setting"), std::vector<std::string>{"false"});
    EXPECT_EQ(document->Texts("toast_setting"), std::vector<std::string>{"false"});
    for (const char* name : {"popup_url", "toast_url"})
    {
        const std::vector<std::string> urls = document->Texts(name);
        ASSERT_EQ(urls.size(), 1u) << name;
        ASSERT_EQ(urls[0].rfind(server.BaseUrl() + "/", 0), 0u) << urls[0];
        const httplib::Result page = server.Get(urls[0].substr(server.BaseUrl().size()));
        ASSERT_TRUE(page) << urls[0];
        EXPECT_EQ(page->status, 200) << urls[0];
        EXPECT_EQ(ContentType(page), "text/html; charset=utf-8") << urls[0];
    }
}

TEST(VendorRoutes, MusicChartHasTwentyCompleteSongsInRankOrder)
{
    TestServer server;
    const auto document = ParseXml(server.Body("/app/stel7/config/music.xml"));
    ASSERT_TRUE(document);
    for (const char* name : {"title", "time", "name", "album", "genre", "id"})
        ASSERT_EQ(document->Count(name), 20u) << name;

    const std::regex idForm("[A-Za-z0-9_-]{11}");
    const auto titles = document->Texts("title");
    const auto times = document->Texts("time");
    const auto ids = document->Texts("id");
    for (size_t i = 0; i < 20; ++i)
    {
        const std::string rank = std::to_string(i + 1) + ". ";
        EXPECT_EQ(titles[i].rfind(rank, 0), 0u) << titles[i];
        EXPECT_GT(titles[i].size(), rank.size()) << titles[i];
        EXPECT_TRUE(times[i].size() == 5 && IsDigits(times[i], 0, 2) && times[i][2] == ':' &&
                    IsDigits(times[i], 3, 2) && times[i][3] < '6')
            << times[i];
        EXPECT_TRUE(std::regex_match(ids[i], idForm)) << ids[i];
        for (const char* name : {"name", "album", "genre"})
            EXPECT_FALSE(document->Texts(name)[i].empty()) << name << " " << i;
    }
}

TEST(VendorRoutes, HumourFeedHasTheChannelFirstAndOneAuthorPerPost)
{
    TestServer server;
    const std::string feed = server.Body("/zbxe/comedy/rss");
    const auto document = ParseXml(feed);
    ASSERT_TRUE(document);
    EXPECT_NE(feed.find("xmlns:dc=\"http://purl.org/dc/elements/1.1/\""), std::string::npos);
    EXPECT_EQ(document->Count("image"), 0u);

    const auto titles = document->Texts("title");
    const auto links = document->Texts("link");
    const auto creators = document->Texts("dc:creator");
    ASSERT_GE(titles.size(), 11u);
    EXPECT_EQ(document->Count("item"), titles.size() - 1);
    EXPECT_EQ(creators.size(), titles.size() - 1);
    EXPECT_EQ(links.size(), titles.size());

    const std::regex postLink(std::regex_replace(server.BaseUrl(), std::regex("[.]"), "\\.") + "(/zbxe/comedy/[1-9][0-9]*)");
    for (size_t k = 1; k < titles.size(); ++k)
    {
        EXPECT_FALSE(creators[k - 1].empty()) << k;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(links[k], match, postLink)) << links[k];
        const std::string page = server.Body(match[1]);
        EXPECT_NE(page.find(standin::XmlEscape(titles[k])), std::string::npos) << links[k];
    }
}

TEST(VendorRoutes, PostsThatDoNotExistAreNotFound)
{
    TestServer server;
    for (const char* path : {"/zbxe/comedy/1", "/zbxe/comedy/03012", "/zbxe/comedy/99999", "/zbxe/comedy/"})
    {
        const httplib::Result result = server.Get(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 404) << path;
    }
}

TEST(VendorRoutes, ProbeAndHomePageAreHtml)
{
    TestServer server;
    for (const char* path : {"/app/stel7/config/connection.html", "/"})
    {
        const httplib::Result result = server.Get(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 200) << path;
        EXPECT_EQ(ContentType(result), "text/html; charset=utf-8") << path;
    }
    EXPECT_NE(server.Body("/").find(u8"로컬 대역 서버"), std::string::npos);
}

TEST(VendorRoutes, CountsAnswerOneLineAndAreWrittenDownInOrder)
{
    TestServer server;
    const std::pair<std::string, std::string> cases[] = {
        {"mode=stel7_execute&key=stel7", "OK\n"},     {"mode=stel7_boot&key=stel7", "OK\n"},
        {"mode=stel7_menu_best&key=stel7", "OK\n"},   {"mode=stel7_search&key=stel7", "OK\n"},
        {"mode=stel7_unknown&key=stel7", "ERROR\n"},  {"mode=stel7_execute&key=other", "ERROR\n"},
        {"key=stel7&mode=stel7_execute", "ERROR\n"},  {"mode=execute&key=stel7", "ERROR\n"},
        {"", "ERROR\n"},
    };
    for (const auto& [query, answer] : cases)
        EXPECT_EQ(server.Body("/app/stel7/analytics/request/count.php?" + query), answer) << query;

    std::ifstream log(server.CountLogPath());
    const std::regex line(R"((\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ) (.*))");
    std::string text;
    for (const auto& [query, answer] : cases)
    {
        ASSERT_TRUE(std::getline(log, text)) << query;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(text, match, line)) << text;
        EXPECT_EQ(match[2], query);
    }
    EXPECT_FALSE(std::getline(log, text));
}
