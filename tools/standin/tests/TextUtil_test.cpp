#include "tools/standin/TextUtil.h"

#include <gtest/gtest.h>

#include <regex>

using namespace standin;

TEST(TextUtil, PercentDecodeKeepsPlusAndBrokenEscapes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"%EA%B0%80", u8"가"},
        {"%ea%b0%80", u8"가"},
        {"a+b", "a+b"},  // the programs send a '+' only for a '+'
        {"a b", "a b"},
        {"%41%42c", "ABc"},
        {"%zz", "%zz"},
        {"%4", "%4"},
        {"%", "%"},
        {"50%", "50%"},
        {"%%41", "%A"},
        {"", ""},
    };
    for (const auto& [encoded, decoded] : cases)
        EXPECT_EQ(PercentDecode(encoded), decoded) << encoded;
}

TEST(TextUtil, QueryValueTakesTheFirstExactKey)
{
    struct Case
    {
        const char* query;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"max-results=30&q=abc", "q", "abc"},
        {"max-results=30&q=", "q", ""},
        {"q", "q", ""},
        {"qq=1&xq=2", "q", std::nullopt},
        {"q=1&q=2", "q", "1"},
        {"", "q", std::nullopt},
        {"a=1&&q=%EB%B2%9A", "q", u8"벚"},
        {"path=/a/b.xml&mode=hang", "path", "/a/b.xml"},
        {"q=a=b", "q", "a=b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryValue(c.query, c.key), c.value) << c.query << " / " << c.key;
}

TEST(TextUtil, RawQueryIsEverythingAfterTheFirstQuestionMark)
{
    EXPECT_EQ(RawQuery("/a?b=1?c"), "b=1?c");
    EXPECT_EQ(RawQuery("/a?"), "");
    EXPECT_EQ(RawQuery("/a"), "");
}

TEST(TextUtil, XmlEscapeCoversTextAndBothQuotes)
{
    EXPECT_EQ(XmlEscape("<a href=\"x\">&'"), "&lt;a href=&quot;x&quot;&gt;&amp;&apos;");
    EXPECT_EQ(XmlEscape(u8"벚꽃"), u8"벚꽃");
}

TEST(TextUtil, ExactPathPatternMatchesOnlyThatPath)
{
    const std::regex pattern(ExactPathPattern("/app/stel7/count.php?x(1)+"));
    EXPECT_TRUE(std::regex_match(std::string("/app/stel7/count.php?x(1)+"), pattern));
    EXPECT_FALSE(std::regex_match(std::string("/app/stel7/countXphp?x(1)+"), pattern));
    EXPECT_FALSE(std::regex_match(std::string("/app/stel7/count.ph"), pattern));
}

TEST(TextUtil, ReplaceAllDoesNotRescanItsReplacement)
{
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("a-a", "a", "aa"), "aa-aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("@BASE@/x @BASE@", "@BASE@", "http://h:1"), "http://h:1/x http://h:1");
}

TEST(TextUtil, SplitKeepsEmptyPieces)
{
    EXPECT_EQ(Split("", '|'), std::vector<std::string>{""});
    EXPECT_EQ(Split("a||b|", '|'), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(TextUtil, ParseCountAcceptsOnlyPlainDigits)
{
    EXPECT_EQ(ParseCount("0"), 0);
    EXPECT_EQ(ParseCount("225"), 225);
    EXPECT_EQ(ParseCount("999999999999999999"), 999999999999999999LL);
    for (const char* bad : {"", "-1", "+1", "12a", " 1", "1.5", "9999999999999999999"})
        EXPECT_EQ(ParseCount(bad), std::nullopt) << bad;
}

TEST(TextUtil, AsciiLowerLeavesUtf8Alone)
{
    EXPECT_EQ(AsciiLower(u8"OST 벚꽃 BEST"), u8"ost 벚꽃 best");
}
