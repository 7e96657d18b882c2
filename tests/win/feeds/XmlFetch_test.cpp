#include "feeds/XmlFetch.h"

#include "feeds/UrlDownload.h"
#include "tests/win/feeds/Stopwatch.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Values = std::vector<std::string>;

constexpr const char kMusicPath[] = "/app/stel7/config/music.xml";
constexpr const char kTestPath[] = "/test/document.xml";

XmlRequest Request(const std::string& url, std::vector<XmlReading> readings)
{
    XmlRequest request;
    request.url = url;
    request.readings = std::move(readings);
    return request;
}

std::string TempFolder()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, length);
}

class XmlFetchTest : public StandInTest
{
};

// The first three videos of the stand-in's catalogue, as its video search
// answers them: Atom entries with prefixed elements and attributes.
TEST_F(XmlFetchTest, VideoSearchReplyGivesTextsOfPrefixedElementsAndAttributesByPosition)
{
    const XmlRequest request =
        Request(StandIn::Url("/feeds/api/videos?q=&max-results=3"),
                {{"title"}, {"yt:duration", 0}, {"yt:statistics", 1}, {"yt:videoid"}, {"author"}});
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    ASSERT_FALSE(result.requestFailed);
    ASSERT_TRUE(result.parsed);
    ASSERT_EQ(5u, result.readings.size());
    // The feed's own title comes first, then one per entry.
    EXPECT_EQ((Values{"YouTube Videos matching query:", "2013 여의도 벚꽃축제 현장 스케치",
                      "진해 군항제 벚꽃축제 드론 영상", "벚꽃축제 데이트 코스 추천 BEST 5"}),
              result.readings[0]);
    EXPECT_EQ((Values{"930", "1495", "1274"}), result.readings[1]);
    // The second attribute of yt:statistics is viewCount (favoriteCount is first).
    EXPECT_EQ((Values{"218513", "1955412", "1390389"}), result.readings[2]);
    EXPECT_EQ((Values{"rx50iHNyoKf", "n4_njXJlbPQ", "rtxfBfXVKTa"}), result.readings[3]);
    // An element's text is that of all its descendants together.
    ASSERT_EQ(3u, result.readings[4].size());
    EXPECT_EQ("springwalkerhttp://gdata.youtube.com/feeds/api/users/springwalker", result.readings[4][0]);
    EXPECT_TRUE(result.records.empty());
}

TEST_F(XmlFetchTest, VideoSearchEntriesReadAsRecordsWithMissingFieldsEmpty)
{
    XmlRequest request = Request(StandIn::Url("/feeds/api/videos?q=&max-results=2"), {});
    request.recordTag = "entry";
    // No entry has a media:title; gd:rating's fourth attribute is numRaters.
    request.recordFields = {{"yt:videoid"}, {"yt:duration", 0}, {"media:title"}, {"gd:rating", 3}, {"yt:duration", 4}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ((std::vector<Values>{{"rx50iHNyoKf", "930", "", "875", ""}, {"n4_njXJlbPQ", "1495", "", "7822", ""}}),
              result.records);
}

TEST_F(XmlFetchTest, MusicChartGivesEveryElementOfANameInDocumentOrder)
{
    XmlRequest request = Request(StandIn::Url(kMusicPath), {{"title"}, {"chart", 0}, {"nothing"}});
    request.recordTag = "song";
    request.recordFields = {{"title"}, {"time"}, {"name"}, {"genre"}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    ASSERT_TRUE(result.parsed);
    ASSERT_EQ(3u, result.readings.size());
    ASSERT_EQ(20u, result.readings[0].size());
    EXPECT_EQ("1. 봄바람 편지", result.readings[0][0]);
    EXPECT_EQ("2. 너의 계절", result.readings[0][1]);
    EXPECT_EQ((Values{"2013-05-06"}), result.readings[1]);
    EXPECT_TRUE(result.readings[2].empty());
    ASSERT_EQ(20u, result.records.size());
    EXPECT_EQ((Values{"1. 봄바람 편지", "03:28", "하늘소녀", "댄스"}), result.records[0]);
    EXPECT_EQ((Values{"3. 밤의 정거장", "03:51", "블루라이트", "R&B"}), result.records[2]);
}

// Feeds carry a prefixed and a plain element of the same local name; reading
// by local name would add rows and shift every column after it.
TEST_F(XmlFetchTest, PrefixedAndPlainNamesAreDifferentElements)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, "<feed xmlns='urn:atom' xmlns:media='urn:media'>"
                                                "<title>feed</title><media:title>feed media</media:title>"
                                                "<entry><media:group><media:title>entry media</media:title>"
                                                "</media:group>"
                                                "<title>entry</title></entry>"
                                                "</feed>"));
    XmlRequest request = Request(StandIn::Url(kTestPath), {{"title"}, {"media:title"}, {"group"}});
    request.recordTag = "entry";
    request.recordFields = {{"title"}, {"media:title"}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ((std::vector<Values>{{"feed", "entry"}, {"feed media", "entry media"}, {}}), result.readings);
    EXPECT_EQ((std::vector<Values>{{"entry", "entry media"}}), result.records);
}

// Documents that do not match what a feed expects.
TEST_F(XmlFetchTest, MismatchedDocumentsGiveEmptyValuesNeverShiftedOnes)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, u8"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                u8"<list>"
                                                u8"<item a=\"1\" b=\"2\"><name>하나</name>"
                                                u8"<deep><name>안쪽</name></deep></item>"
                                                u8"<item><deep><name>둘</name></deep><other/></item>"
                                                u8"<item b=\"셋\"/>"
                                                u8"</list>"));
    XmlRequest request =
        Request(StandIn::Url(kTestPath), {{"item", 0}, {"item", 1}, {"item", -1}, {"name"}, {"list", 0}});
    request.recordTag = "item";
    request.recordFields = {{"name"}, {"other"}, {"item"}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    ASSERT_TRUE(result.parsed);
    ASSERT_EQ(5u, result.readings.size());
    // Attributes count by position in each element: the third item's only attribute is its first.
    EXPECT_EQ((Values{"1", "", "셋"}), result.readings[0]);
    EXPECT_EQ((Values{"2", "", ""}), result.readings[1]);
    EXPECT_EQ((Values{"하나안쪽", "둘", ""}), result.readings[2]);
    EXPECT_EQ((Values{"하나", "안쪽", "둘"}), result.readings[3]);
    EXPECT_EQ((Values{""}), result.readings[4]);
    // The first descendant at any depth; never the record itself or a later one.
    EXPECT_EQ((std::vector<Values>{{"하나", "", ""}, {"둘", "", ""}, {"", "", ""}}), result.records);
}

TEST_F(XmlFetchTest, CharactersOutsideTheKoreanCodePageBecomeItsDefaultCharacter)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, u8"<a><t>가\u0E01나</t></a>"));
    const XmlResult result = FetchXml(Request(StandIn::Url(kTestPath), {{"t"}}), STEL7_NET_DEADLINE_MS);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ((std::vector<Values>{{"가?나"}}), result.readings);
}

struct BadReply
{
    const char* mode;
    bool parses;
    std::vector<Values> readings;  // of "title" and "name"
};

// Names the case in test listings by its fault alone.
void PrintTo(const BadReply& reply, std::ostream* out)
{
    *out << reply.mode;
}

class XmlFetchBadReplyTest : public XmlFetchTest, public ::testing::WithParamInterface<BadReply>
{
};

// Replies that arrive but are not the document: the request worked, and none
// of the document's elements come back. An error page that happens to be
// well-formed (the stand-in's are) does parse, and its own <title> is read
// like any other: a feed that reads "title" must not take it for a row.
TEST_P(XmlFetchBadReplyTest, ReplyThatIsNotTheDocumentGivesNoneOfItsElements)
{
    ASSERT_TRUE(StandIn::SetFault(kMusicPath, GetParam().mode));
    XmlRequest request = Request(StandIn::Url(kMusicPath), {{"title"}, {"name"}});
    request.recordTag = "song";
    request.recordFields = {{"title"}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    EXPECT_FALSE(result.requestFailed);
    EXPECT_EQ(GetParam().parses, result.parsed);
    EXPECT_EQ(GetParam().readings, result.readings);
    EXPECT_TRUE(result.records.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, XmlFetchBadReplyTest,
                         ::testing::Values(BadReply{"html", true, {{"Service Temporarily Unavailable"}, {}}},
                                           BadReply{"404", true, {{"404 Not Found"}, {}}},
                                           BadReply{"malformed", false, {}}, BadReply{"empty", false, {}}),
                         [](const ::testing::TestParamInfo<BadReply>& info) {
                             return std::string("mode_") + info.param.mode;
                         });

TEST_F(XmlFetchTest, ConnectionClosedWithoutReplyGivesNoDocument)
{
    ASSERT_TRUE(StandIn::SetFault(kMusicPath, "close"));
    const XmlResult result = FetchXml(Request(StandIn::Url(kMusicPath), {{"title"}}), STEL7_NET_DEADLINE_MS);
    EXPECT_TRUE(result.requestFailed || !result.parsed);
    EXPECT_TRUE(result.readings.empty());
}

TEST_F(XmlFetchTest, SlowReplyWithinTheDeadlineIsRead)
{
    ASSERT_TRUE(StandIn::SetFault(kMusicPath, "slow", 1));
    const XmlResult result = FetchXml(Request(StandIn::Url(kMusicPath), {{"title"}}), STEL7_NET_DEADLINE_MS);
    EXPECT_FALSE(result.requestFailed);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ(20u, result.readings.at(0).size());
}

TEST_F(XmlFetchTest, ServerThatNeverAnswersIsGivenUpAtTheDeadline)
{
    ASSERT_TRUE(StandIn::SetFault(kMusicPath, "hang"));
    const Stopwatch stopwatch;
    const XmlResult result = FetchXml(Request(StandIn::Url(kMusicPath), {{"title"}}), kShortDeadlineMs);
    EXPECT_LT(stopwatch.ElapsedMs(), kShortDeadlineMs + kLongestOverrunMs);
    EXPECT_TRUE(result.requestFailed);
    EXPECT_FALSE(result.parsed);
    EXPECT_TRUE(result.readings.empty());
}

TEST_F(XmlFetchTest, UnreachableOrUnusableAddressesFailTheRequest)
{
    for (const std::string& url : {std::string("http://127.0.0.1:9/app/stel7/config/music.xml"), std::string(),
                                  TempFolder() + "stel7-no-such-file.xml"})
    {
        const XmlResult result = FetchXml(Request(url, {{"title"}}), STEL7_NET_DEADLINE_MS);
        EXPECT_TRUE(result.requestFailed) << url;
        EXPECT_FALSE(result.parsed) << url;
    }
}

TEST_F(XmlFetchTest, DeletingTheCacheEntrySeesADocumentChangedSinceTheLastFetch)
{
    const std::string url = StandIn::Url(kTestPath);
    XmlRequest request = Request(url, {{"v"}});
    request.deleteCacheEntry = true;
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, "<d><v>first</v></d>"));
    EXPECT_EQ((std::vector<Values>{{"first"}}), FetchXml(request, STEL7_NET_DEADLINE_MS).readings);
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, "<d><v>second</v></d>"));
    EXPECT_EQ((std::vector<Values>{{"second"}}), FetchXml(request, STEL7_NET_DEADLINE_MS).readings);
    EXPECT_EQ((std::vector<std::string>{"GET " + std::string(kTestPath), "GET " + std::string(kTestPath)}),
              StandIn::Log());
}

// The channel feed downloads its document and then fetches the local copy by
// its path, as GetTempPathA gives it; folder names may hold spaces, '#', '%'
// and Korean text.
TEST_F(XmlFetchTest, LocalCopyIsFetchedByItsPath)
{
    const std::string folder = TempFolder() + "stel7 feeds #1 %20 한글\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& path : {TempFolder() + "vod.xml", folder + "vod.xml"})
    {
        DeleteFileA(path.c_str());
        ASSERT_TRUE(DownloadUrlToFile(StandIn::Url(kMusicPath), path, STEL7_NET_DEADLINE_MS)) << path;
        const XmlResult result = FetchXml(Request(path, {{"title"}}), STEL7_NET_DEADLINE_MS);
        EXPECT_FALSE(result.requestFailed) << path;
        ASSERT_TRUE(result.parsed) << path;
        EXPECT_EQ(20u, result.readings.at(0).size()) << path;
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
