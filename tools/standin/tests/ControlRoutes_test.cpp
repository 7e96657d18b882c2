#include "tools/standin/tests/TestServer.h"

#include <gtest/gtest.h>

using standin_test::TestServer;

TEST(ControlRoutes, LogKeepsArrivalOrderAndRawTargets)
{
    TestServer server;
    server.Get("/app/stel7/config/music.xml");
    server.Get("/feeds/api/videos?max-results=30&q=%EB%B2%9A%EA%BD%83");
    server.Get("/zbxe/comedy/rss?");
    server.Get("/nowhere?a=b+c&d");
    server.Get("/__standin/fault?path=/x&mode=none");
    server.Post("/app/stel7/update/update.xml", "", "text/plain");
    EXPECT_EQ(server.Body("/__standin/log"),
              "GET /app/stel7/config/music.xml\n"
              "GET /feeds/api/videos?max-results=30&q=%EB%B2%9A%EA%BD%83\n"
              "GET /zbxe/comedy/rss\n"
              "GET /nowhere?a=b+c&d\n"
              "POST /app/stel7/update/update.xml\n");
}

TEST(ControlRoutes, ClearEmptiesTheLogOnly)
{
    TestServer server;
    server.Body("/__standin/fault?path=/app/stel7/config/music.xml&mode=empty");
    server.Get("/");
    EXPECT_EQ(server.Body("/__standin/clear"), "OK\n");
    EXPECT_EQ(server.Body("/__standin/log"), "");
    EXPECT_EQ(server.Body("/app/stel7/config/music.xml"), "");
    EXPECT_EQ(server.Body("/__standin/log"), "GET /app/stel7/config/music.xml\n");
}

TEST(ControlRoutes, ResetClearsFaultsOverridesAndLog)
{
    TestServer server;
    const std::string original = server.Body("/app/stel7/update/update.xml");
    server.Body("/__standin/fault?path=/zbxe/comedy/rss&mode=404");
    ASSERT_EQ(server.Post("/__standin/doc?path=/app/stel7/update/update.xml", "<x/>", "text/xml")->status, 200);
    EXPECT_EQ(server.Body("/__standin/reset"), "OK\n");
    EXPECT_EQ(server.Body("/__standin/log"), "");
    EXPECT_EQ(server.Body("/app/stel7/update/update.xml"), original);
    EXPECT_EQ(server.Get("/zbxe/comedy/rss")->status, 200);
}

TEST(ControlRoutes, BadControlRequestsAreRefused)
{
    TestServer server;
    const char* targets[] = {
        "/__standin/fault?mode=hang",
        "/__standin/fault?path=app/x&mode=hang",
        "/__standin/fault?path=/__standin/log&mode=hang",
        "/__standin/fault?path=/x",
        "/__standin/fault?path=/x&mode=explode",
        "/__standin/fault?path=/x&mode=slow&seconds=301",
        "/__standin/fault?path=/x&mode=slow&seconds=-1",
        "/__standin/fault?path=/x&mode=slow&seconds=",
        "/__standin/doc?path=/x&file=../secret.xml",
        "/__standin/doc?path=/x&file=/etc/passwd",
        "/__standin/doc?path=/x&file=a//b.xml",
        "/__standin/doc?path=/x&file=",
        "/__standin/doc?file=a.xml",
    };
    for (const char* target : targets)
    {
        const httplib::Result result = server.Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, 400) << target;
        EXPECT_EQ(result->body.rfind("ERROR", 0), 0u) << target;
    }
    EXPECT_EQ(server.Get("/__standin/doc?path=/x&file=missing.xml")->status, 404);
    EXPECT_EQ(server.Body("/__standin/log"), "");
}
