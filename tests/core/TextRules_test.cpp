#include "core/TextRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace core;

TEST(TextRules, FormatDuration)
{
    const std::pair<int, const char*> cases[] = {
        {0, "00:00:00"}, {3599, "00:59:59"}, {-1, "00:00:00"}, {360000, "100:00:00"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(FormatDuration(seconds), text) << seconds;
}

TEST(TextRules, LeadingIntReadsLikeAtoi)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},      {"abc", 0},  {"195abc", 195}, {"\t\n7", 7},
        {"- 5", 0},   {"-3", -3},  {"99999999999999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingInt(text), value) << text;
}

TEST(TextRules, PercentEncodeUtf8)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abcXYZ019-._~", "abcXYZ019-._~"}, {"a b", "a%20b"}, {"&#+%=?/", "%26%23%2B%25%3D%3F%2F"},
        {"\xEA\xB0\x80\xEA\xB0\x81", "%EA%B0%80%EA%B0%81"},  // two syllables, six escapes
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(PercentEncodeUtf8(in), out) << in;
}

TEST(TextRules, TextAfterFirstCountsAMissingMarkerAsMinusOne)
{
    const std::string marker = "Views:</span>";  // 13 bytes
    struct Case {
        std::string text, marker, expected;
    } cases[] = {
        {"MARKyyMARKzz", "MARK", "yyMARKzz"},
        // Missing: from byte 12, which may be exactly at or beyond the end.
        {"0123456789ABcdef", marker, "cdef"}, {"0123456789AB", marker, ""}, {"short", marker, ""},
        // 'b' of "bold" is the syllable's trail byte: no match, so from byte 6.
        {"갶old;\">5:00<", "bold;\">", "\">5:00<"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextAfterFirst(c.text, c.marker), c.expected) << c.text;
}

TEST(TextRules, CutsAndRemovalsKeepDoubleByteCharacters)
{
    EXPECT_EQ(TextBeforeFirst("1234", '<'), "");  // the character is needed
    EXPECT_EQ(TextBeforeFirst("갶b", 'b'), "갶");
    EXPECT_EQ(RemoveChar("b갶bb갶", 'b'), "갶갶");
    EXPECT_EQ(TextAfterFirstOccurrence("10. Mr. Big", ". "), "Mr. Big");
    EXPECT_EQ(TextAfterFirstOccurrence("사랑", ". "), "사랑");  // kept whole without the marker
    EXPECT_EQ(TextAfterFirstOccurrence("1. ", ". "), "");
}

TEST(TextRules, FirstCharsNeverSplitsACharacter)
{
    struct Case {
        std::string text;
        size_t n;
        std::string expected;
    } cases[] = {
        {"123456789가", 10, "123456789"}, {"12345678가", 10, "12345678가"}, {"가나다라마바", 5, "가나"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstChars(c.text, c.n), c.expected) << c.text << " " << c.n;
}
