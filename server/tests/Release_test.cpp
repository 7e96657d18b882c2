// The release command: what it publishes verifies as the programs check it,
// the other program's entries stay, and every refusal changes nothing.
#include "server/Signature.h"
#include "server/tests/ServerProcess.h"

#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <filesystem>
#include <map>

namespace servertest {
namespace {

const std::string kDocument = "app/stel7/update/update.xml";
const std::string kUrl = "http://vendor.example/app/stel7/update/stel7_update.exe";
const std::string kAgentUrl = "http://vendor.example/app/stel7/update/agent_update.exe";

// A key pair as `openssl genrsa` and `openssl rsa -pubout` write it.
void WriteKeyPair(const std::string& privatePath, const std::string& publicPath)
{
    EVP_PKEY* key = EVP_RSA_gen(2048);
    FILE* file = fopen(privatePath.c_str(), "w");
    PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr);
    fclose(file);
    file = fopen(publicPath.c_str(), "w");
    PEM_write_PUBKEY(file, key);
    fclose(file);
    EVP_PKEY_free(key);
}

bool Verifies(const std::string& publicPath, const std::string& statement, const std::string& base64)
{
    std::string signature(base64.size(), '\0');
    const int decoded = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(signature.data()),
                                        reinterpret_cast<const unsigned char*>(base64.data()),
                                        static_cast<int>(base64.size()));
    if (decoded <= 0)
        return false;
    signature.resize(static_cast<size_t>(decoded) - std::count(base64.end() - 2, base64.end(), '='));
    FILE* file = fopen(publicPath.c_str(), "r");
    EVP_PKEY* key = file ? PEM_read_PUBKEY(file, nullptr, nullptr, nullptr) : nullptr;
    if (file)
        fclose(file);
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    const bool verified =
        key && EVP_DigestVerifyInit(context, nullptr, EVP_sha256(), nullptr, key) == 1 &&
        EVP_DigestVerify(context, reinterpret_cast<const unsigned char*>(signature.data()), signature.size(),
                         reinterpret_cast<const unsigned char*>(statement.data()), statement.size()) == 1;
    EVP_MD_CTX_free(context);
    EVP_PKEY_free(key);
    return verified;
}

// The smallest file the check takes for a Windows program: the DOS header
// pointing at a PE signature and its file header.
std::string WindowsProgram(char tag)
{
    std::string bytes(0x40 + 24 + 8, tag);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes.replace(0x3c, 4, std::string("\x40\0\0\0", 4));
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    return bytes;
}

std::string Element(const std::string& document, const std::string& name)
{
    const size_t begin = document.rfind("<" + name + ">");
    if (begin == std::string::npos)
        return "(none)";
    const size_t start = begin + name.size() + 2;
    return document.substr(start, document.find("</", start) - start);
}

class ReleaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteKeyPair(scratch_ / "private.pem", scratch_ / "public.pem");
        WriteKeyPair(scratch_ / "other.pem", scratch_ / "other-public.pem");
        ASSERT_TRUE(WriteFile(scratch_ / "new.exe", WindowsProgram('n')));
        // Published: build 195 of stel7, and the agent's entries.
        ASSERT_TRUE(WriteFile(content_ + "/app/stel7/update/stel7_update.exe", WindowsProgram('o')));
        ASSERT_TRUE(WriteFile(content_ + "/app/stel7/update/agent_update.exe", WindowsProgram('a')));
        ASSERT_TRUE(WriteFile(content_ + "/" + kDocument, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                          "<!-- <update_ver>999</update_ver> in a comment -->\n"
                                                          "<update>\n"
                                                          "\t<update_ver>195</update_ver>\n"
                                                          "\t<update_url>" + kUrl + "</update_url>\n"
                                                          "\t<update_sig>b2xk</update_sig>\n"
                                                          "\t<agent_ver>7</agent_ver>\n"
                                                          "\t<agent_url>" + kAgentUrl + "</agent_url>\n"
                                                          "\t<agent_sig>YWdlbnQ=</agent_sig>\n"
                                                          "</update>\n"));
    }

    Finished Release(const std::map<std::string, std::string>& changed = {})
    {
        std::map<std::string, std::string> flags = {
            {"--content", content_},         {"--role", "stel7"},         {"--build", "196"},
            {"--file", scratch_ / "new.exe"}, {"--url", kUrl},             {"--key", scratch_ / "private.pem"},
            {"--public-key", scratch_ / "public.pem"},
        };
        for (const auto& [name, value] : changed)
            flags[name] = value;
        std::vector<std::string> args = {"release"};
        for (const auto& [name, value] : flags)
            args.insert(args.end(), {name, value});
        return RunProgram(args);
    }

    // Every file of the content folder with its bytes.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(content_))
            files[entry.path().string()] = entry.is_regular_file() ? ReadFile(entry.path().string()) : "(folder)";
        return files;
    }

    ScratchFolder scratch_;
    const std::string content_ = scratch_ / "content";
};

TEST_F(ReleaseTest, PublishesASignedStatementAndKeepsTheOtherProgram)
{
    const Finished finished = Release();
    ASSERT_EQ(0, finished.exitCode) << finished.err;
    const std::string updater = ReadFile(content_ + "/app/stel7/update/stel7_update.exe");
    EXPECT_EQ(ReadFile(scratch_ / "new.exe"), updater);
    const std::string document = ReadFile(content_ + "/" + kDocument);
    EXPECT_EQ("196", Element(document, "update_ver"));
    EXPECT_EQ(kUrl, Element(document, "update_url"));
    const std::string signature = Element(document, "update_sig");
    EXPECT_TRUE(Verifies(scratch_ / "public.pem", "stel7 196 " + vendor::Sha256Hex(updater), signature));
    // Not a signature over the bytes alone, nor for the other program.
    EXPECT_FALSE(Verifies(scratch_ / "public.pem", updater, signature));
    EXPECT_FALSE(Verifies(scratch_ / "public.pem", "stel7agent 196 " + vendor::Sha256Hex(updater), signature));
    EXPECT_EQ(10, std::count(document.begin(), document.end(), '\n')) << "one line per element, as before";
    for (const char* kept : {"<agent_ver>7</agent_ver>", "<agent_sig>YWdlbnQ=</agent_sig>", "in a comment -->"})
        EXPECT_NE(std::string::npos, document.find(kept)) << kept;
    EXPECT_EQ(std::string::npos, document.find("b2xk")) << "the old signature is gone";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(content_))
        EXPECT_EQ(std::string::npos, entry.path().string().find(".tmp-")) << entry.path();

    // The agent may share the same updater when the bytes are the same.
    const Finished agent = Release({{"--role", "stel7agent"}, {"--build", "8"}});
    ASSERT_EQ(0, agent.exitCode) << agent.err;
    const std::string both = ReadFile(content_ + "/" + kDocument);
    EXPECT_EQ(kUrl, Element(both, "agent_url"));
    EXPECT_TRUE(
        Verifies(scratch_ / "public.pem", "stel7agent 8 " + vendor::Sha256Hex(updater), Element(both, "agent_sig")));
    EXPECT_EQ("196", Element(both, "update_ver"));
}

TEST_F(ReleaseTest, AFreshContentFolderGetsItsFirstDocument)
{
    std::filesystem::remove(content_ + "/" + kDocument);
    const Finished finished = Release({{"--build", "1"}});
    ASSERT_EQ(0, finished.exitCode) << finished.err;
    EXPECT_EQ("1", Element(ReadFile(content_ + "/" + kDocument), "update_ver"));
}

TEST_F(ReleaseTest, EveryRefusalChangesNothing)
{
    ASSERT_TRUE(WriteFile(scratch_ / "text.exe", "just some text, long enough to have a header's room........."
                                                 "..........................................................."));
    std::string noPe = WindowsProgram('x');
    noPe.replace(0x40, 2, "NE");
    std::string pastEnd = WindowsProgram('x');
    pastEnd[0x3d] = 0x10;  // the PE header would start beyond the file
    ASSERT_TRUE(WriteFile(scratch_ / "nope.exe", noPe));
    ASSERT_TRUE(WriteFile(scratch_ / "past-end.exe", pastEnd));
    ASSERT_TRUE(WriteFile(scratch_ / "agent-new.exe", WindowsProgram('b')));

    const struct
    {
        const char* name;
        std::map<std::string, std::string> flags;
    } cases[] = {
        {"the published build", {{"--build", "195"}}},
        {"an older build", {{"--build", "194"}}},
        {"a build with a leading zero", {{"--build", "0197"}}},
        {"a build past the programs' reading", {{"--build", "2147483648"}}},
        {"not a Windows program", {{"--file", scratch_ / "text.exe"}}},
        {"MZ without a PE header", {{"--file", scratch_ / "nope.exe"}}},
        {"a PE header past the end", {{"--file", scratch_ / "past-end.exe"}}},
        {"no such file", {{"--file", scratch_ / "missing.exe"}}},
        {"a key of another pair", {{"--key", scratch_ / "other.pem"}}},
        {"a public key that is no key", {{"--public-key", scratch_ / "new.exe"}}},
        {"a URL leaving the folder", {{"--url", "http://vendor.example/../outside.exe"}}},
        {"an encoded escape", {{"--url", "http://vendor.example/app/%2e%2e/%2e%2e/outside.exe"}}},
        {"the document's own path", {{"--url", "http://vendor.example/app/stel7/update/update.xml"}}},
        {"a URL with a query", {{"--url", kUrl + "?v=2"}}},
        {"the other program's updater",
         {{"--role", "stel7agent"}, {"--build", "8"}, {"--file", scratch_ / "agent-new.exe"}}},
        {"an unknown role", {{"--role", "stel7updater"}}},
    };
    const std::map<std::string, std::string> before = Snapshot();
    for (const auto& c : cases)
    {
        const Finished finished = Release(c.flags);
        EXPECT_EQ(1, finished.exitCode) << c.name;
        EXPECT_NE(std::string::npos, finished.err.find("refused")) << c.name << ": " << finished.err;
        EXPECT_TRUE(before == Snapshot()) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "outside.exe"));
}

}  // namespace
}  // namespace servertest
