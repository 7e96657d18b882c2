// The stand-in server as the Wine tests rely on it: a fault really is that
// fault (else the tests of failures pass without one), the request log holds
// what was asked. (The Wine tests parse the documents it serves.)
#include "tools/standin/StandinServer.h"

#include <gtest/gtest.h>

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

namespace {

const std::string kMusic = "/app/stel7/config/music.xml";

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
    httplib::Result Get(const std::string& target) const
    {
        httplib::Client client("127.0.0.1", server_->Port());
        client.set_url_encode(false);
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

TEST_F(StandinTest, EveryFaultButSlowKeepsTheDocumentFromTheProgram)
{
    const std::string document = Body(kMusic);
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
    }
    SetFault(kMusic, "none");
    EXPECT_EQ(document, Body(kMusic));
}

TEST_F(StandinTest, EndlessBodyRepeatsTheDocumentPastAnyLength)
{
    httplib::Client client("127.0.0.1", server_->Port());
    ASSERT_TRUE(client.Post("/__standin/doc?path=/endless", "<a/>", "text/xml"));
    SetFault("/endless", "endless");
    constexpr size_t kEnough = 4 << 20;
    std::string received;
    client.Get("/endless", [&](const char* data, size_t length) {
        received.append(data, length);
        return received.size() < kEnough;
    });
    ASSERT_GE(received.size(), kEnough);
    EXPECT_EQ(std::string::npos, received.find_first_not_of("<a/>"));
}

}  // namespace
