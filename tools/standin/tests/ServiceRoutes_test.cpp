#include "tools/standin/Options.h"
#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

using standin_test::EncodeLikeClient;
using standin_test::ParseXml;
using standin_test::TestServer;

namespace {

std::string RankTarget(const std::string& key)
{
    return "/search?key=" + key + "&query=nexearch&target=rank";
}

}  // namespace

TEST(ServiceRoutes, RankDocumentHasTenRanksOfTermSignAndAmount)
{
    TestServer server;
    const auto document = ParseXml(server.Body(RankTarget(standin::DefaultOptions().rankKey)));
    ASSERT_TRUE(document);
    ASSERT_EQ(document->Count("R1"), 1u);
    for (int rank = 1; rank <= 10; ++rank)
        EXPECT_EQ(document->Count("R" + std::to_string(rank)), 1u) << rank;

    const auto terms = document->Texts("K");
    const auto signs = document->Texts("S");
    const auto amounts = document->Texts("V");
    ASSERT_EQ(terms.size(), 10u);
    ASSERT_EQ(signs.size(), 10u);
    ASSERT_EQ(amounts.size(), 10u);
    for (size_t i = 0; i < terms.size(); ++i)
    {
        // The programs search the term with the client's encoding, which leaves
        // a space raw: such a term could never be requested.
        EXPECT_EQ(terms[i].find(' '), std::string::npos) << terms[i];
        EXPECT_TRUE(signs[i] == "+" || signs[i] == "-" || signs[i] == "*" || signs[i] == "new") << signs[i];
        EXPECT_EQ(amounts[i].find_first_not_of("0123456789"), std::string::npos) << amounts[i];
        if (signs[i] == "new")
        {
            EXPECT_EQ(amounts[i], "0") << terms[i];
        }
    }
    // The programs read R1's text whole: the term followed by the mark.
    EXPECT_EQ(document->Texts("R1"), std::vector<std::string>{terms[0] + signs[0] + amounts[0]});
}

TEST(ServiceRoutes, TopRankTermFindsSeveralVideos)
{
    TestServer server;
    const auto rank = ParseXml(server.Body(RankTarget(standin::DefaultOptions().rankKey)));
    ASSERT_TRUE(rank);
    const std::string term = rank->Texts("K").at(0);
    const auto feed = ParseXml(server.Body("/feeds/api/videos?max-results=30&q=" + EncodeLikeClient(term)));
    ASSERT_TRUE(feed);
    EXPECT_GE(feed->Count("entry"), 3u);
}

TEST(ServiceRoutes, RankRequestsWithoutTheKeyGetAnErrorDocument)
{
    TestServer server;
    const std::string key = standin::DefaultOptions().rankKey;
    const std::string targets[] = {
        RankTarget("00000000000000000000000000000000"),
        RankTarget(""),
        "/search?query=nexearch&target=rank",
        "/search?key=" + key + "&query=news&target=rank",
        "/search?key=" + key + "&query=nexearch&target=blog",
        "/search",
    };
    for (const std::string& target : targets)
    {
        const auto document = ParseXml(server.Body(target));
        ASSERT_TRUE(document) << target;
        EXPECT_EQ(document->Count("R1"), 0u) << target;
        EXPECT_EQ(document->Count("error_code"), 1u) << target;
    }
}

TEST(ServiceRoutes, PlayerPageNamesTheVideoWhateverTheQuery)
{
    TestServer server;
    const std::string page = server.Body("/v/abc_DEF-123?version=3&amp;autohide=1;autoplay=1;showinfo=0");
    EXPECT_NE(page.find("abc_DEF-123"), std::string::npos);
    const std::string hostile = server.Body("/v/%3Cb%3E");
    EXPECT_EQ(hostile.find("<b>"), std::string::npos);
    EXPECT_NE(hostile.find("&lt;b&gt;"), std::string::npos);
}
