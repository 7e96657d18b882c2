// The content folder over real HTTP: the vendor's paths with their types, and
// no spelling of a path that reads a file outside the folder.
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace servertest {
namespace {

const std::string kSecret = "SECRET OUTSIDE THE CONTENT FOLDER";

class ContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::copy(STEL7_SAMPLE_CONTENT, content_, std::filesystem::copy_options::recursive);
        ASSERT_TRUE(WriteFile(scratch_ / "secret.txt", kSecret));
        ASSERT_TRUE(WriteFile(scratch_ / "secret.xml", "<?xml version=\"1.0\"?><x>" + kSecret + "</x>"));
        // Links the operator might leave: out of the folder, and to a file outside.
        ASSERT_EQ(0, symlink(scratch_.Path().c_str(), (content_ + "/out").c_str()));
        ASSERT_EQ(0, symlink((scratch_ / "secret.xml").c_str(), (content_ + "/app/stel7/leak.xml").c_str()));
        server_ = std::make_unique<ServerProcess>(
            std::vector<std::string>{"serve", "--content", content_, "--database", "sqlite:" + scratch_ / "c.db"});
        ASSERT_TRUE(server_->Started());
    }

    ScratchFolder scratch_;
    const std::string content_ = scratch_ / "content";
    std::unique_ptr<ServerProcess> server_;
};

TEST_F(ContentTest, ServesTheVendorPathsWithTheirTypes)
{
    const struct
    {
        const char* target;
        const char* file;  // under the content folder
        const char* type;
    } cases[] = {
        {"/app/stel7/update/update.xml", "app/stel7/update/update.xml", "text/xml; charset=utf-8"},
        {"/app/stel7/advert/config.xml", "app/stel7/advert/config.xml", "text/xml; charset=utf-8"},
        {"/app/stel7/config/music.xml", "app/stel7/config/music.xml", "text/xml; charset=utf-8"},
        {"/app/stel7/config/connection.html", "app/stel7/config/connection.html", "text/html; charset=utf-8"},
        {"/app/stel7/update/stel7_update.exe?x=1", "app/stel7/update/stel7_update.exe", "application/octet-stream"},
        {"/", "index.html", "text/html; charset=utf-8"},
        // Extension-less paths are typed by their first bytes.
        {"/zbxe/comedy/rss", "zbxe/comedy/rss", "text/xml; charset=utf-8"},
    };
    std::filesystem::rename(content_ + "/zbxe/comedy/rss.xml", content_ + "/zbxe/comedy/rss");
    for (const auto& c : cases)
    {
        const Reply reply = Get(server_->Port(), c.target);
        EXPECT_EQ(200, reply.status) << c.target;
        EXPECT_EQ(c.type, reply.Header("Content-Type")) << c.target;
        EXPECT_EQ(ReadFile(content_ + "/" + c.file), reply.body) << c.target;
    }
}

TEST_F(ContentTest, NoSpellingOfAPathLeavesTheFolder)
{
    const std::string inside = content_.substr(1);  // the folder's own path, as a path under it
    const std::string targets[] = {
        "/../secret.txt",
        "/app/../../secret.txt",
        "/%2e%2e/secret.txt",
        "/%2E%2E/secret.txt",
        "/.%2e/secret.txt",
        "/app/stel7/%2e%2e/%2e%2e/%2e%2e/secret.txt",
        "/..%2fsecret.txt",
        "/..%5csecret.txt",
        "/..\\secret.txt",
        "/app\\..\\..\\secret.txt",
        "/%252e%252e/secret.txt",
        "/./index.html",
        "//secret.txt",
        "/%2f" + scratch_.Path().substr(1) + "/secret.txt",
        "/" + inside + "/../secret.txt",
        "/index.html%00.xml",
        std::string("/index.html\0.xml", 16),
        "/index.html%0a.xml",
        "/out/secret.txt",
        "/app/stel7/leak.xml",
        "/" + std::string(5000, 'a'),
        "/app/stel7/",
        "/app/stel7",
        "/app/stel7/update/",
    };
    for (const std::string& target : targets)
    {
        const Reply reply = Get(server_->Port(), target);
        EXPECT_TRUE(reply.status == 400 || reply.status == 404 || reply.status == 414)
            << target << ": " << reply.status;
        EXPECT_EQ(std::string::npos, reply.body.find(kSecret)) << target;
        // No listing either: nothing names the files of a folder.
        EXPECT_EQ(std::string::npos, reply.body.find("update.xml")) << target;
    }
    EXPECT_EQ(200, Get(server_->Port(), "/index.html").status);  // still serving
}

}  // namespace
}  // namespace servertest
