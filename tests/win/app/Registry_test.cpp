// The settings store against Wine's real registry: what is no text of up to
// 259 characters reads as the default.
#include <gtest/gtest.h>

#include <string>

#include "app/shared/Registry.h"

namespace {

const char kKey[] = "Software\\stel7test\\store";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    // Reads `name` into a buffer of 260 characters; "<1 or 0>:<text>".
    static std::string Read(const char* pszName)
    {
        char szBuffer[260] = {};
        const int read = ReadRegistryString(HKEY_CURRENT_USER, kKey, pszName, "false", szBuffer, sizeof(szBuffer));
        return std::to_string(read) + ":" + szBuffer;
    }
    // Stores `size` bytes of `data` as they are, with or without a terminating zero.
    static void Store(const char* pszName, DWORD type, const std::string& data, DWORD size)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                   &hKey, nullptr));
        ::RegSetValueExA(hKey, pszName, 0, type, reinterpret_cast<const BYTE*>(data.data()), size);
        ::RegCloseKey(hKey);
    }
};

TEST_F(RegistryTest, WhatIsNoTextThatFitsReadsAsTheDefaultAndNoValueIsMade)
{
    const DWORD number = 1;
    Store("dword", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof(number)), sizeof(number));
    Store("binary", REG_BINARY, "true", 4);
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "long", std::string(260, 'b').c_str());
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "longer", std::string(1000, 'b').c_str());
    // Without its terminating zero it fills the buffer to the last byte, leaving no room to end it.
    // One byte more than stored, so that the platform does not count a zero after it.
    Store("unended", REG_SZ, std::string(261, 'b'), 260);
    for (const char* name : {"missing", "dword", "binary", "long", "longer", "unended"}) {
        EXPECT_EQ("0:false", Read(name)) << name;
    }
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey));
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "missing", nullptr, nullptr, nullptr, nullptr));
    ::RegCloseKey(hKey);
}

TEST_F(RegistryTest, TextUpTo259CharactersReadsBack)
{
    for (const std::string& text : {std::string("continuity"), std::string("스텔론"), std::string(259, 'a')}) {
        EXPECT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kKey, "music", text.c_str()));
        EXPECT_EQ("1:" + text, Read("music"));
    }
}

}  // namespace
