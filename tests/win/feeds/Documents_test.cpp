// The remote XML fetch and the download, against documents served by the
// stand-in server.
#include "feeds/net/XmlFetch.h"

#include "feeds/net/UrlDownload.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/StandInTest.h"

#include "BuildConfig.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Values = std::vector<std::string>;

constexpr const char kMusicPath[] = "/app/stel7/config/music.xml";
constexpr const char kTestPath[] = "/test/document.xml";
constexpr const char kFilePath[] = "/test/stel7_update.exe";

XmlResult Fetch(const std::string& url, std::vector<XmlReading> readings, const std::string& recordTag = "",
                std::vector<XmlReading> recordFields = {})
{
    XmlRequest request;
    request.url = url;
    request.readings = std::move(readings);
    request.recordTag = recordTag;
    request.recordFields = std::move(recordFields);
    return FetchXml(request, STEL7_NET_DEADLINE_MS);
}

using XmlFetchTest = StandInTest;

// Feeds carry a prefixed and a plain element of the same local name; reading
// by local name would add rows and shift every column after it.
TEST_F(XmlFetchTest, PrefixedAndPlainNamesAreDifferentElements)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, "<feed xmlns='urn:atom' xmlns:media='urn:media' xmlns:yt='urn:yt'>"
                                                "<title>feed</title><media:title>feed media</media:title>"
                                                "<entry><media:group><media:title>entry media</media:title>"
                                                "<yt:duration seconds='59'/></media:group>"
                                                "<title>entry</title></entry>"
                                                "</feed>"));
    const XmlResult result = Fetch(StandIn::Url(kTestPath), {{"title"}, {"media:title"}, {"group"}}, "entry",
                                   {{"title"}, {"media:title"}, {"yt:duration", 0}, {"yt:duration", 1}});
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ((std::vector<Values>{{"feed", "entry"}, {"feed media", "entry media"}, {}}), result.readings);
    EXPECT_EQ((std::vector<Values>{{"entry", "entry media", "59", ""}}), result.records);
}

// Documents that do not match what a feed expects, or hold what the code page cannot.
TEST_F(XmlFetchTest, MismatchedDocumentsGiveEmptyValuesNeverShiftedOnes)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, u8"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                u8"<list>"
                                                u8"<item a=\"1\" b=\"2\"><name>하나</name>"
                                                u8"<deep><name>안쪽</name></deep></item>"
                                                u8"<item><deep><name>둘</name></deep><other/></item>"
                                                u8"<item b=\"셋\u0E01\"/>"
                                                u8"</list>"));
    const XmlResult result =
        Fetch(StandIn::Url(kTestPath), {{"item", 0}, {"item", 1}, {"item", -1}, {"name"}, {"list", 0}}, "item",
              {{"name"}, {"other"}, {"item"}});
    ASSERT_TRUE(result.parsed);
    ASSERT_EQ(5u, result.readings.size());
    // Attributes count by position in each element: the third item's only attribute is its first.
    // Its character outside the Korean code page becomes the code page's default character.
    EXPECT_EQ((Values{"1", "", "셋?"}), result.readings[0]);
    EXPECT_EQ((Values{"2", "", ""}), result.readings[1]);
    // An element's text is that of all its descendants together.
    EXPECT_EQ((Values{"하나안쪽", "둘", ""}), result.readings[2]);
    EXPECT_EQ((Values{"하나", "안쪽", "둘"}), result.readings[3]);
    EXPECT_EQ((Values{""}), result.readings[4]);
    // The first descendant at any depth; never the record itself or a later one.
    EXPECT_EQ((std::vector<Values>{{"하나", "", ""}, {"둘", "", ""}, {"", "", ""}}), result.records);
}

// Replies that are not the document give none of its elements. An error page
// that happens to be well-formed (the stand-in's are) parses, and its own
// <title> is read like any other: a feed that reads "title" must not take it for a row.
TEST_F(XmlFetchTest, ReplyThatIsNotTheDocumentGivesNoneOfItsElements)
{
    const struct
    {
        const char* mode;
        std::vector<Values> readings;  // of "title" and "name"
    } cases[] = {
        {"html", {{"Service Temporarily Unavailable"}, {}}},
        {"malformed", {}},
        {"close", {}},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(StandIn::SetFault(kMusicPath, c.mode));
        const XmlResult result = Fetch(StandIn::Url(kMusicPath), {{"title"}, {"name"}}, "song", {{"title"}});
        EXPECT_EQ(c.readings, result.readings) << c.mode;
        EXPECT_TRUE(result.records.empty()) << c.mode;
        EXPECT_EQ(!c.readings.empty(), result.parsed) << c.mode;
    }
}

// A DTD's entities expand a few lines into gigabytes or reach other hosts: a
// document that declares a document type is not parsed at all. (Wine's MSXML
// takes ProhibitDTD and expands the entities all the same.)
TEST_F(XmlFetchTest, DocumentWithADoctypeIsNotParsed)
{
    const std::string external = "/test/external.dtd";
    const std::pair<std::string, bool> cases[] = {
        {"<?xml version=\"1.0\"?><!-- first --><?note x?>\n<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><r><title>&b;</title></r>",
         false},
        {"<!DOCTYPE r SYSTEM \"" + StandIn::Url(external) + "\"><r><title>t</title></r>", false},
        // Markup that only reads like a declaration is no DTD.
        {"<?xml version=\"1.0\"?><!-- <!DOCTYPE r> --><r><title><![CDATA[<!DOCTYPE html>]]></title></r>", true},
    };
    for (const auto& [document, parsed] : cases)
    {
        ASSERT_TRUE(StandIn::SetDocument(kTestPath, document));
        const XmlResult result = Fetch(StandIn::Url(kTestPath), {{"title"}});
        EXPECT_FALSE(result.requestFailed) << document;
        EXPECT_EQ(parsed, result.parsed) << document;
        EXPECT_EQ(parsed ? "<!DOCTYPE html>" : "", result.Last(0)) << document;
    }
    EXPECT_TRUE(StandIn::Log("GET " + external).empty());
}

// A reply that never ends is read up to the feed's limit and no further: the
// fetch ends at once, having refused it for its size (no deadline passed).
TEST_F(XmlFetchTest, EndlessReplyIsRefusedAtTheFeedLimit)
{
    ASSERT_TRUE(StandIn::SetDocument(kTestPath, "<feed><title>again</title></feed>"));
    ASSERT_TRUE(StandIn::SetFault(kTestPath, "endless"));
    const XmlResult result = Fetch(StandIn::Url(kTestPath), {{"title"}});
    EXPECT_FALSE(result.requestFailed);
    EXPECT_FALSE(result.parsed);
}

// Downloads into a file of the working folder, gone before and after each test.
class UrlDownloadTest : public StandInTest
{
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        DeleteFileA(path_.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(path_.c_str());
        StandInTest::TearDown();
    }
    bool Download(const std::string& url, const std::string& path)
    {
        return DownloadUrlToFile(url, path, STEL7_NET_DEADLINE_MS);
    }

    const std::string path_ = "stel7_download_test.bin";
};

// An error page is stored by the platform as if it were the file: it is no
// download. The channel's local copy of a feed has the feed's limit: a body
// that never ends stops there, and nothing of it is kept.
TEST_F(UrlDownloadTest, ErrorPageEndlessBodyNoServerOrNoFolderIsAFailedDownloadWithoutAFile)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "<rss><channel><item/></channel></rss>"));
    const std::string noFolder = path_ + ".missing\\stel7_update.exe";
    EXPECT_FALSE(Download(std::string("http://127.0.0.1:9") + kFilePath, path_));
    EXPECT_FALSE(Download("", path_));
    EXPECT_FALSE(Download(StandIn::Url(kFilePath), noFolder));
    EXPECT_FALSE(FileExists(noFolder));
    for (const char* fault : {"404", "endless"}) {
        ASSERT_TRUE(StandIn::SetFault(kFilePath, fault));
        EXPECT_FALSE(Download(StandIn::Url(kFilePath), path_)) << fault;
        EXPECT_FALSE(FileExists(path_)) << fault;
    }
}

// A download given up on must not store the file when its server answers
// after all: it would overwrite what a later download of the same file wrote.
TEST_F(UrlDownloadTest, AbandonedDownloadEndsWithoutStoringTheFile)
{
    ASSERT_TRUE(StandIn::SetDocument(kFilePath, "late build"));
    ASSERT_TRUE(StandIn::SetFault(kFilePath, "slow", 2));
    // The download thread holds the only copy of the callback, and with it of
    // the guard that keeps the promise: it is kept when that thread has ended.
    const auto gone = std::make_shared<std::promise<void>>();
    std::future<void> threadGone = gone->get_future();
    DownloadProgress callback = [guard = std::shared_ptr<void>(nullptr, [gone](void*) { gone->set_value(); })](
                                    unsigned long, unsigned long) {};
    EXPECT_FALSE(DownloadUrlToFile(StandIn::Url(kFilePath), path_, 500, std::move(callback)));
    ASSERT_EQ(std::future_status::ready, threadGone.wait_for(std::chrono::milliseconds(STEL7_NET_DEADLINE_MS)));
    EXPECT_FALSE(FileExists(path_));
}

}  // namespace
