// The settings store against Wine's real registry.
#include <gtest/gtest.h>

#include <string>

#include "app/Registry.h"

namespace {

const char kKey[] = "Software\\stel7test\\store";

// Reading creates the key, never the value; what is no text of up to 259
// characters reads as the default.
TEST(RegistryTest, TextUpTo259CharactersReadsBackAndAnythingElseAsTheDefault)
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    char buffer[260] = {};
    const auto read = [&](const char* name, const char* dflt) {
        return ReadRegistryString(HKEY_CURRENT_USER, kKey, name, dflt, buffer, sizeof(buffer));
    };
    EXPECT_EQ(0, read("music", "none"));
    EXPECT_STREQ("none", buffer);
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &hKey));
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "music", nullptr, nullptr, nullptr, nullptr));
    const DWORD number = 1;
    ::RegSetValueExA(hKey, "dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    ::RegSetValueExA(hKey, "binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>("true"), 4);
    ::RegCloseKey(hKey);
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "long", std::string(260, 'b').c_str());
    WriteRegistryString(HKEY_CURRENT_USER, kKey, "longer", std::string(1000, 'b').c_str());
    for (const char* name : {"dword", "binary", "long", "longer"}) {
        EXPECT_EQ(0, read(name, "false")) << name;
        EXPECT_STREQ("false", buffer) << name;
    }
    for (const std::string& text : {std::string("continuity"), std::string("스텔론"), std::string(259, 'a')}) {
        EXPECT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kKey, "music", text.c_str()));
        EXPECT_EQ(1, read("music", "none"));
        EXPECT_EQ(text, buffer);
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

}  // namespace
