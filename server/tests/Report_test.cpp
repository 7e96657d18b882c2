// The report in a real browser (Debian's headless Chromium): the page renders
// by itself, and the bars it draws are as tall as the counts sent. The
// screenshot is kept in the build folder. And the admin address's guard.
#include "server/VendorSite.h"
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace servertest {
namespace {

// The value of `name="..."` in the tag that starts at `at`; "" when absent.
std::string Attribute(const std::string& dom, size_t at, const std::string& name)
{
    const size_t tagEnd = dom.find('>', at);
    const size_t begin = dom.find(" " + name + "=\"", at);
    if (begin == std::string::npos || begin > tagEnd)
        return std::string();
    const size_t value = begin + name.size() + 3;
    return dom.substr(value, dom.find('"', value) - value);
}

// What a command printed on its standard output.
std::string Output(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[65536];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (pipe)
        pclose(pipe);
    return out;
}

std::string Chromium(const ScratchFolder& scratch, const std::string& what, const std::string& url)
{
    return Output("timeout 120 /usr/bin/chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                  "--disable-background-networking --disable-component-update --disable-sync --disable-dev-shm-usage "
                  "--force-device-scale-factor=1 --window-size=1000,1400 --user-data-dir=" +
                  scratch / "profile" + " " + what + " '" + url + "' 2>/dev/null");
}

struct Image
{
    int width = 0;
    int height = 0;
    std::string rgb;
    bool Is(int x, int y, int r, int g, int b) const
    {
        const size_t at = 3 * (static_cast<size_t>(y) * width + x);
        return std::abs(static_cast<unsigned char>(rgb[at]) - r) <= 2 &&
               std::abs(static_cast<unsigned char>(rgb[at + 1]) - g) <= 2 &&
               std::abs(static_cast<unsigned char>(rgb[at + 2]) - b) <= 2;
    }
};

Image ReadPng(const std::string& path)
{
    Image image;
    const std::string ppm = Output("convert '" + path + "' -depth 8 ppm:-");
    int maxValue = 0, used = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &image.width, &image.height, &maxValue, &used) == 3)
        image.rgb = ppm.substr(static_cast<size_t>(used) + 1);
    if (image.rgb.size() != 3u * image.width * image.height)
        image = Image();
    return image;
}

// The tallest run of one colour in any column, in pixels.
int TallestRun(const Image& image, const std::string& colour)
{
    int r = 0, g = 0, b = 0;
    std::sscanf(colour.c_str(), "#%2x%2x%2x", &r, &g, &b);
    int tallest = 0;
    for (int x = 0; x < image.width; ++x)
    {
        for (int y = 0, run = 0; y < image.height; ++y)
        {
            run = image.Is(x, y, r, g, b) ? run + 1 : 0;
            tallest = std::max(tallest, run);
        }
    }
    return tallest;
}

class ReportTest : public ::testing::Test
{
protected:
    void Count(ServerProcess& server, const std::string& word, int times)
    {
        for (int i = 0; i < times; ++i)
        {
            ASSERT_EQ(200, Get(server.Port(), std::string(vendor::kCountPath) + "?mode=stel7_" + word + "&key=stel7")
                               .status);
        }
    }

    ScratchFolder scratch_;
};

TEST_F(ReportTest, TheBrowserDrawsABarAsTallAsEachCount)
{
    ServerProcess server({"serve", "--content", scratch_.Path(), "--database", "sqlite:" + scratch_ / "c.db"});
    ASSERT_TRUE(server.Started());
    const std::map<std::string, int> sent = {{"execute", 3}, {"boot", 5}, {"search", 2}, {"popup", 4}};
    for (const auto& [word, times] : sent)
        Count(server, word, times);
    Count(server, "not_an_event", 2);  // counted apart: no bar

    const std::string url = "http://127.0.0.1:" + std::to_string(server.AdminPort()) + "/report";
    const std::string dom = Chromium(scratch_, "--dump-dom", url);
    ASSERT_NE(std::string::npos, dom.find("<svg")) << dom.substr(0, 2000);
    EXPECT_EQ(std::string::npos, dom.find("<script"));
    const double perCount = std::atof(Attribute(dom, dom.find("<svg"), "data-per-count").c_str());
    ASSERT_GT(perCount, 0);

    const std::string shot = std::string(STEL7_SCREENSHOT_DIR) + "/server-report.png";
    std::remove(shot.c_str());
    Chromium(scratch_, "--screenshot=" + shot, url);
    const Image image = ReadPng(shot);
    ASSERT_GT(image.width, 0) << shot;

    std::map<std::string, int> drawn;
    const std::string barTag = "<rect class=\"bar\"";
    for (size_t at = dom.find(barTag); at != std::string::npos; at = dom.find(barTag, at + 1))
    {
        const std::string word = Attribute(dom, at, "data-event");
        drawn[word] = std::atoi(Attribute(dom, at, "data-count").c_str());
        ASSERT_TRUE(sent.count(word)) << word;
        // As rendered: the bar's colour stands as tall as its count, give or
        // take the pixel that anti-aliasing blends at either end.
        EXPECT_NEAR(perCount * sent.at(word), TallestRun(image, Attribute(dom, at, "fill")), 2.0) << word;
    }
    EXPECT_EQ(sent, drawn);
    for (const auto& [word, times] : sent)
        EXPECT_NE(std::string::npos, dom.find("<td>" + word + "</td><td>" + std::to_string(times) + "</td>")) << word;
}

TEST_F(ReportTest, AnAdminAddressOffLoopbackNeedsItsToken)
{
    const Finished refused =
        RunProgram({"serve", "--content", scratch_.Path(), "--admin", "0.0.0.0:0", "--database", "sqlite:x"});
    EXPECT_EQ(2, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.err.find("--admin-token")) << refused.err;

    ServerProcess server({"serve", "--content", scratch_.Path(), "--database", "sqlite:" + scratch_ / "c.db",
                          "--admin", "0.0.0.0:0", "--admin-token", "s3cret"});
    ASSERT_TRUE(server.Started());
    const struct
    {
        const char* target;
        const char* headers;
        int status;
    } cases[] = {
        {"/report.json", "", 401},
        {"/report.json", "Authorization: Bearer wrong\r\n", 401},
        {"/report.json?token=s3cre", "", 401},
        {"/report.json", "Authorization: Bearer s3cret\r\n", 200},
        {"/report?token=s3cret", "", 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.status, Get(server.AdminPort(), c.target, c.headers).status) << c.target << " " << c.headers;
}

}  // namespace
}  // namespace servertest
