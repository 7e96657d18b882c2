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

    static void Store(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                                                   nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, name, 0, type, static_cast<const BYTE*>(data), size));
        ::RegCloseKey(hKey);
    }

    static bool ValueExists(const char* name)
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
        const bool exists = ::RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
        return exists;
    }

    static bool KeyExists()
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
        ::RegCloseKey(hKey);
        return true;
    }

    char m_buffer[260] = {};
};

TEST_F(RegistryTest, ReadingCreatesTheKeyButNeverTheValue)
{
    EXPECT_EQ(0, ReadRegistryString(HKEY_CURRENT_USER, kKey, "run", "true", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("true", m_buffer);
    EXPECT_TRUE(KeyExists());
    EXPECT_FALSE(ValueExists("run"));
}

TEST_F(RegistryTest, WrittenTextReadsBack)
{
    EXPECT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kKey, "music", "continuity"));
    EXPECT_EQ(1, ReadRegistryString(HKEY_CURRENT_USER, kKey, "music", "none", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("continuity", m_buffer);
    EXPECT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kKey, "music", "스텔론"));
    EXPECT_EQ(1, ReadRegistryString(HKEY_CURRENT_USER, kKey, "music", "none", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("스텔론", m_buffer);
}

TEST_F(RegistryTest, LengthLimitIs259Characters)
{
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'b');
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "fits", fits.c_str());
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "long", tooLong.c_str());
    EXPECT_EQ(1, ReadRegistryString(HKEY_CURRENT_USER, kKey, "fits", "d", m_buffer, sizeof(m_buffer)));
    EXPECT_EQ(fits, m_buffer);
    EXPECT_EQ(0, ReadRegistryString(HKEY_CURRENT_USER, kKey, "long", "false", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("false", m_buffer);
}

TEST_F(RegistryTest, ValuesThatAreNotTextReadAsTheDefault)
{
    const DWORD number = 1;
    Store("dword", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(0, ReadRegistryString(HKEY_CURRENT_USER, kKey, "dword", "0", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("0", m_buffer);

    const char binary[4] = {'t', 'r', 'u', 'e'};
    Store("binary", REG_BINARY, binary, sizeof(binary));
    EXPECT_EQ(0, ReadRegistryString(HKEY_CURRENT_USER, kKey, "binary", "false", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("false", m_buffer);
}

TEST_F(RegistryTest, TextStoredWithoutItsTerminatorStillEndsInTheBuffer)
{
    Store("bare", REG_SZ, "true", 4);
    EXPECT_EQ(1, ReadRegistryString(HKEY_CURRENT_USER, kKey, "bare", "false", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("true", m_buffer);

    const std::string full(260, 'c');
    Store("full", REG_SZ, full.data(), 260);
    EXPECT_EQ(0, ReadRegistryString(HKEY_CURRENT_USER, kKey, "full", "dflt", m_buffer, sizeof(m_buffer)));
    EXPECT_STREQ("dflt", m_buffer);
}

}  // namespace
