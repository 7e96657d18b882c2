// The stand-in server as the Wine tests rely on it: a fault really is that
// fault (else the tests of failures pass without one), the request log holds
// what was asked, and the documents it serves parse.
#include "tools/standin/StandinServer.h"

#include <gtest/gtest.h>

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kMusic = "/app/stel7/config/music.xml";

// Near enough to what an XML parser takes: a declaration, then one root
// element whose tags balance, and no '&' that starts no reference.
bool WellFormed(const std::string& xml)
{
    for (size_t at = xml.find('&'); at != std::string::npos; at = xml.find('&', at + 1))
    {
        const std::string name = xml.substr(at + 1, xml.find(';', at) - at - 1);
        const size_t digits = name.rfind("#x", 0) == 0 ? 2 : 1;
        const bool numeric = name.size() > digits && name[0] == '#' &&
                             name.find_first_not_of("0123456789abcdefABCDEF", digits) == std::string::npos;
        if (!numeric && name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos")
            return false;
    }
    std::vector<std::string> open;
    int roots = 0;
    for (size_t lt = xml.find('<'); lt != std::string::npos; lt = xml.find('<', lt + 1))
    {
        const size_t gt = xml.find('>', lt);
        if (lt == 0 ? xml.compare(0, 5, "<?xml") != 0 : gt == std::string::npos)
            return false;
        const std::string tag = xml.substr(lt + 1, gt - lt - 1);
        const bool closing = tag[0] == '/';
        const std::string name = tag.substr(closing, tag.find_first_of(" \t\r\n/", 1) - closing);
        if (tag[0] == '?' || tag[0] == '!')
            continue;  // the declaration and comments
        if (closing && (open.empty() || open.back() != name))
            return false;
        if (closing)
            open.pop_back();
        else if ((open.empty() && ++roots > 1) || name.empty())
            return false;
        else if (tag.back() != '/')
            open.push_back(name);
    }
    return xml.rfind("<?xml", 0) == 0 && roots == 1 && open.empty();
}

// A server of this process on a free loopback port, stopped when the test ends.
class StandinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        standin::Options options = standin::DefaultOptions();
        options.port = 0;
        server_ = std::make_unique<standin::StandinServer>(options);
        std::string error;
        ASSERT_TRUE(server_->Open(error)) << error;
        serving_ = std::thread([this] { server_->Run(); });
    }
    void TearDown() override
    {
        server_->Stop();
        if (serving_.joinable())
            serving_.join();
    }

    // The target goes out exactly as written.
    httplib::Result Get(const std::string& target, int readTimeoutSeconds = 10) const
    {
        httplib::Client client("127.0.0.1", server_->Port());
        client.set_url_encode(false);
        client.set_read_timeout(readTimeoutSeconds);
        return client.Get(target);
    }
    std::string Body(const std::string& target) const
    {
        const httplib::Result result = Get(target);
        EXPECT_TRUE(result && result->status == 200) << target;
        return result ? result->body : std::string();
    }
    void SetFault(const std::string& path, const std::string& mode) const
    {
        ASSERT_EQ("OK\n", Body("/__standin/fault?path=" + path + "&mode=" + mode));
    }

    std::unique_ptr<standin::StandinServer> server_;
    std::thread serving_;
};

TEST_F(StandinTest, EveryDocumentTheProgramsReadParses)
{
    const std::string targets[] = {
        "/app/stel7/update/update.xml",
        "/app/stel7/advert/config.xml",
        kMusic,
        "/zbxe/comedy/rss",
        "/search?key=" + standin::DefaultOptions().rankKey + "&query=nexearch&target=rank",
        "/feeds/api/videos?max-results=30&q=%EB%B2%9A%EA%BD%83",
        "/search.atom?q=OST",
        "/rss/user/MBCentertainment/videos.rss",
        "/rss/user/jypentertainment/videos.rss",
    };
    for (const std::string& target : targets)
    {
        const std::string body = Body(target);
        EXPECT_TRUE(WellFormed(body)) << target << "\n" << body.substr(0, 300);
    }
}

TEST_F(StandinTest, EveryFaultButSlowKeepsTheDocumentFromTheProgram)
{
    const std::string document = Body(kMusic);
    ASSERT_TRUE(WellFormed(document));
    const struct
    {
        const char* mode;
        int status;  // 0: the connection drops without an answer
        bool isDocument;
    } cases[] = {
        {"html", 200, false}, {"malformed", 200, false}, {"empty", 200, false},
        {"404", 404, false},  {"close", 0, false},       {"slow&seconds=1", 200, true},
    };
    for (const auto& c : cases)
    {
        SetFault(kMusic, c.mode);
        // The query does not matter: the fault is the path's.
        const httplib::Result result = Get(kMusic + "?again=1");
        EXPECT_EQ(c.status, result ? result->status : 0) << c.mode;
        if (!result)
            continue;
        EXPECT_EQ(c.isDocument, result->body == document) << c.mode;
        EXPECT_EQ(c.isDocument, WellFormed(result->body)) << c.mode;
    }
    SetFault(kMusic, "none");
    EXPECT_EQ(document, Body(kMusic));
}

TEST_F(StandinTest, HangHoldsTheRequest)
{
    SetFault(kMusic, "hang");
    const httplib::Result abandoned = Get(kMusic, 1);
    ASSERT_FALSE(abandoned);
    EXPECT_EQ(httplib::Error::Read, abandoned.error());

    // Held requests do not starve the others.
    EXPECT_TRUE(WellFormed(Body("/zbxe/comedy/rss")));
}

TEST_F(StandinTest, LogHoldsRawTargetsInOrderWithoutControls)
{
    Get(kMusic);
    Get("/feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C");
    Get("/zbxe/comedy/rss?");
    SetFault("/x", "none");
    EXPECT_EQ("GET " + kMusic + "\nGET /feeds/api/videos?max-results=30&q=R%26B%20%EB%B0%9C\nGET /zbxe/comedy/rss\n",
              Body("/__standin/log"));
}

}  // namespace
