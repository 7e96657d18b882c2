// The settings store against Wine's real registry.
#include <gtest/gtest.h>

#include <string>

#include "app/Registry.h"

namespace {

const char kKey[] = "Software\\stel7test\\store";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    // Whether the key, or the value `name` in it, exists.
    static bool Exists(const char* name = nullptr)
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
        const bool exists =
            !name || ::RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
        return exists;
    }
    int Read(const char* name, const char* dflt)
    {
        return ReadRegistryString(HKEY_CURRENT_USER, kKey, name, dflt, m_buffer, sizeof(m_buffer));
    }

    char m_buffer[260] = {};
};

TEST_F(RegistryTest, ReadingCreatesTheKeyButNeverTheValue)
{
    EXPECT_EQ(0, Read("run", "true"));
    EXPECT_STREQ("true", m_buffer);
    EXPECT_TRUE(Exists());
    EXPECT_FALSE(Exists("run"));
}

TEST_F(RegistryTest, TextUpTo259CharactersReadsBack)
{
    const std::string fits(259, 'a');
    for (const std::string& text : {std::string("continuity"), std::string("스텔론"), fits}) {
        EXPECT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kKey, "music", text.c_str()));
        EXPECT_EQ(1, Read("music", "none"));
        EXPECT_EQ(text, m_buffer);
    }
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "long", std::string(260, 'b').c_str());
    EXPECT_EQ(0, Read("long", "false"));
    EXPECT_STREQ("false", m_buffer);
}

TEST_F(RegistryTest, ValuesThatAreNotTextReadAsTheDefault)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr));
    const DWORD number = 1;
    ::RegSetValueExA(hKey, "dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    ::RegSetValueExA(hKey, "binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>("true"), 4);
    ::RegCloseKey(hKey);
    EXPECT_EQ(0, Read("dword", "0"));
    EXPECT_STREQ("0", m_buffer);
    EXPECT_EQ(0, Read("binary", "false"));
    EXPECT_STREQ("false", m_buffer);
}

}  // namespace
