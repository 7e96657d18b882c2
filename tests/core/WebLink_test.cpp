#include <gtest/gtest.h>

#include "core/WebLink.h"

TEST(WebLinkTest, OnlyWebAddressesPassTrimmedAndQuotedAsOneArgument)
{
    const struct {
        const char* address;
        bool web;
    } cases[] = {
        {"http://example.com/zbxe/1", true}, {"HTTPS://example.com/", true}, {"http://a b/c", true},
        {"http://", false}, {"https:/example.com", false}, {"file:///C:/Windows/notepad.exe", false},
        {"\\\\server\\share\\x.exe", false}, {" http://example.com/", false}, {"", false},
        {"http://example.com/\" -nohome", false}, {"http://example.com/\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.web, core::IsWebAddress(c.address)) << c.address;
    EXPECT_EQ("http://a/b c", core::TrimBlanks("\r\n\t http://a/b c \r\n"));
    EXPECT_EQ("", core::TrimBlanks(" \n\t"));
    EXPECT_EQ("\"http://a b/c\"", core::QuotedArgument("http://a b/c"));
    // A trailing backslash would otherwise escape the closing quote.
    EXPECT_EQ("\"http://a/b\\\\\"", core::QuotedArgument("http://a/b\\"));
}
