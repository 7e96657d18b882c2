#include "tools/standin/tests/MiniXml.h"
#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <future>

using standin_test::ParseXml;
using standin_test::TestServer;

namespace {

const std::string kMusic = "/app/stel7/config/music.xml";

// Sends one request on a plain socket and reads until the server closes.
// nullopt when the connection fails or nothing closes it within 10 s.
std::optional<std::string> RawExchange(int port, const std::string& request)
{
    const int sock = socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0)
        return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval wait{10, 0};
    setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    std::optional<std::string> reply;
    if (connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(sock, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size()))
    {
        std::string bytes;
        char buffer[4096];
        for (;;)
        {
            const ssize_t got = recv(sock, buffer, sizeof buffer, 0);
            if (got > 0)
            {
                bytes.append(buffer, static_cast<size_t>(got));
                continue;
            }
            if (got == 0 || errno == ECONNRESET)
                reply = bytes;
            break;
        }
    }
    close(sock);
    return reply;
}

std::string GetRequest(const std::string& target)
{
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

// Requests are logged on arrival, so a held request is known to be held once
// the log has its line.
void WaitForLogLines(const TestServer& server, size_t lines)
{
    for (;;)
    {
        const std::string log = server.Body("/__standin/log");
        if (static_cast<size_t>(std::count(log.begin(), log.end(), '\n')) >= lines)
            return;
        std::this_thread::yield();
    }
}

}  // namespace

TEST(StandinServer, ImmediateFaultsAnswerWrongly)
{
    struct Case
    {
        const char* mode;
        int status;
        const char* contentTypeStart;
        bool bodyEmpty;
    };
    const Case cases[] = {
        {"html", 200, "text/html", false},
        {"malformed", 200, "text/xml", false},
        {"empty", 200, "", true},
        {"404", 404, "text/html", false},
    };
    TestServer server;
    for (const Case& c : cases)
    {
        ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=" + c.mode), "OK\n");
        for (const std::string& target : {kMusic, kMusic + "?again=1"})
        {
            const httplib::Result result = server.Get(target);
            ASSERT_TRUE(result) << c.mode;
            EXPECT_EQ(result->status, c.status) << c.mode;
            EXPECT_EQ(result->get_header_value("Content-Type").rfind(c.contentTypeStart, 0), 0u) << c.mode;
            EXPECT_EQ(result->body.empty(), c.bodyEmpty) << c.mode;
            EXPECT_FALSE(ParseXml(result->body)) << c.mode;
        }
    }
    // Other paths are untouched, and "none" restores the path.
    EXPECT_TRUE(ParseXml(server.Body("/app/stel7/update/update.xml")));
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=none"), "OK\n");
    EXPECT_TRUE(ParseXml(server.Body(kMusic)));
}

TEST(StandinServer, CloseDropsTheConnectionWithoutAByte)
{
    TestServer server;
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=close"), "OK\n");
    EXPECT_EQ(RawExchange(server.Port(), GetRequest(kMusic)), std::string());
    const httplib::Result result = server.Get(kMusic);
    EXPECT_FALSE(result);
    // The request still reached the log, and the server goes on serving.
    EXPECT_EQ(server.Body("/__standin/log"), "GET " + kMusic + "\nGET " + kMusic + "\n");
    EXPECT_TRUE(ParseXml(server.Body("/app/stel7/update/update.xml")));
}

TEST(StandinServer, HangHoldsTheRequestWithoutStarvingOthers)
{
    TestServer server;
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=hang"), "OK\n");
    // A client that gives up is released by its own time-out.
    const httplib::Result abandoned = server.Get(kMusic, 1);
    ASSERT_FALSE(abandoned);
    EXPECT_EQ(abandoned.error(), httplib::Error::Read);

    auto held = std::async(std::launch::async, [&] { return RawExchange(server.Port(), GetRequest(kMusic)); });
    WaitForLogLines(server, 2);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(ParseXml(server.Body("/zbxe/comedy/rss")));
    // Stopping wakes every held request at once; it ends without an answer.
    EXPECT_TRUE(server.Stop());
    EXPECT_EQ(held.get(), std::string());
}

TEST(StandinServer, ResetReleasesHeldRequests)
{
    TestServer server;
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=hang"), "OK\n");
    auto held = std::async(std::launch::async, [&] { return RawExchange(server.Port(), GetRequest(kMusic)); });
    WaitForLogLines(server, 1);
    EXPECT_EQ(server.Body("/__standin/reset"), "OK\n");
    EXPECT_EQ(held.get(), std::string());
    EXPECT_TRUE(ParseXml(server.Body(kMusic)));
}

TEST(StandinServer, SlowAnswersNormallyInTheEnd)
{
    TestServer server;
    const std::string normal = server.Body(kMusic);
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=slow&seconds=1"), "OK\n");
    EXPECT_EQ(server.Body(kMusic), normal);
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=slow&seconds=0"), "OK\n");
    EXPECT_EQ(server.Body(kMusic), normal);
}

TEST(StandinServer, PostedDocumentReplacesThePathUntilRemoved)
{
    TestServer server;
    const std::string original = server.Body("/zbxe/comedy/rss");
    const std::string crafted(100000, 'x');
    const httplib::Result posted =
        server.Post("/__standin/doc?path=/zbxe/comedy/rss", "<?xml version=\"1.0\"?><r>" + crafted + "</r>", "text/xml");
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->status, 200);

    const httplib::Result served = server.Get("/zbxe/comedy/rss?x=1");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->body, "<?xml version=\"1.0\"?><r>" + crafted + "</r>");
    EXPECT_EQ(served->get_header_value("Content-Type"), "text/xml; charset=utf-8");

    ASSERT_EQ(server.Body("/__standin/doc?path=/zbxe/comedy/rss"), "OK\n");
    EXPECT_EQ(server.Body("/zbxe/comedy/rss"), original);
}

TEST(StandinServer, DataFileReplacesAnyPathWithItsOwnType)
{
    TestServer server;
    server.WriteDataFile("update195.xml", "<?xml version=\"1.0\"?><u><update_ver>195</update_ver></u>");
    server.WriteDataFile("page.html", "<html>p</html>");
    ASSERT_EQ(server.Body("/__standin/doc?path=/app/stel7/update/update.xml&file=update195.xml"), "OK\n");
    ASSERT_EQ(server.Body("/__standin/doc?path=/new/place&file=page.html"), "OK\n");

    const auto update = ParseXml(server.Body("/app/stel7/update/update.xml"));
    ASSERT_TRUE(update);
    EXPECT_EQ(update->Texts("update_ver"), std::vector<std::string>{"195"});
    const httplib::Result page = server.Get("/new/place");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->body, "<html>p</html>");
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
}

TEST(StandinServer, FaultComesBeforeTheOverride)
{
    TestServer server;
    ASSERT_EQ(server.Post("/__standin/doc?path=" + kMusic, "<?xml version=\"1.0\"?><m/>", "text/xml")->status, 200);
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=empty"), "OK\n");
    EXPECT_EQ(server.Body(kMusic), "");
    ASSERT_EQ(server.Body("/__standin/fault?path=" + kMusic + "&mode=slow&seconds=0"), "OK\n");
    EXPECT_EQ(server.Body(kMusic), "<?xml version=\"1.0\"?><m/>");
}

TEST(StandinServer, StopBeforeRunEndsRunAtOnce)
{
    standin::Options options = standin::DefaultOptions();
    options.port = 0;
    standin::StandinServer server(options);
    std::string error;
    ASSERT_TRUE(server.Open(error)) << error;
    server.Stop();
    EXPECT_TRUE(server.Run());
}

TEST(StandinServer, MissingDataTablesStopTheStart)
{
    standin::Options options = standin::DefaultOptions();
    options.port = 0;
    options.contentDir = "/nonexistent/standin";
    standin::StandinServer server(options);
    std::string error;
    EXPECT_FALSE(server.Open(error));
    EXPECT_NE(error.find("/nonexistent/standin"), std::string::npos) << error;
}

// The body faults shape a replacement document: the announced length against
// the bytes that come, and when they come.
class BodyFaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (size_t i = 0; i < 1000; ++i)
            body_ += static_cast<char>('a' + i % 26);
        ASSERT_EQ(server_.Post("/__standin/doc?path=" + kFile, body_, "application/octet-stream")->status, 200);
    }
    void SetFault(const std::string& mode, int seconds)
    {
        ASSERT_EQ(server_.Body("/__standin/fault?path=" + kFile + "&mode=" + mode + "&seconds=" +
                               std::to_string(seconds)),
                  "OK\n");
    }
    // The raw answer split at the end of its headers.
    std::pair<std::string, std::string> Exchange()
    {
        const std::string raw = RawExchange(server_.Port(), GetRequest(kFile)).value_or("");
        const size_t end = raw.find("\r\n\r\n");
        if (end == std::string::npos)
            return {raw, ""};
        return {raw.substr(0, end + 2), raw.substr(end + 4)};
    }

    const std::string kFile = "/app/stel7/update/stel7_update.exe";
    std::string body_;
    TestServer server_;
};

TEST_F(BodyFaultTest, TrickleSendsTheWholeBodyOverItsSeconds)
{
    SetFault("trickle", 1);
    const auto start = std::chrono::steady_clock::now();
    const auto [headers, received] = Exchange();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_NE(headers.find("Content-Length: 1000\r\n"), std::string::npos) << headers;
    EXPECT_EQ(received, body_);
}

TEST_F(BodyFaultTest, ShortAndStallAnnounceAllButSendHalf)
{
    SetFault("short", 0);
    const auto [headers, received] = Exchange();
    EXPECT_NE(headers.find("Content-Length: 1000\r\n"), std::string::npos) << headers;
    EXPECT_EQ(received, body_.substr(0, 500));

    SetFault("stall", 0);
    auto held = std::async(std::launch::async, [this] { return Exchange(); });
    EXPECT_EQ(held.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
    ASSERT_EQ(server_.Body("/__standin/reset"), "OK\n");
    EXPECT_EQ(held.get().second, body_.substr(0, 500));
}

TEST_F(BodyFaultTest, NoLengthSendsTheBodyChunked)
{
    SetFault("nolength", 0);
    const httplib::Result result = server_.Get(kFile);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->has_header("Content-Length"));
    EXPECT_EQ(result->get_header_value("Transfer-Encoding"), "chunked");
    EXPECT_EQ(result->body, body_);
}

TEST_F(BodyFaultTest, PathWithoutReplacementDocumentAnswersAnError)
{
    ASSERT_EQ(server_.Body("/__standin/fault?path=/app/stel7/config/music.xml&mode=short"), "OK\n");
    const httplib::Result result = server_.Get("/app/stel7/config/music.xml");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 500);
}
