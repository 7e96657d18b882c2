#include "core/Cp949.h"

#include <gtest/gtest.h>

#include <string>

using core::FindChar;
using core::FindText;

namespace {

const size_t npos = std::string::npos;

// Syllables whose CP949 trail byte is an ASCII letter.
const std::string kTrailN = "걆";  // 81 6E: ends in 'n'
const std::string kTrailB = "갶";  // 81 62: ends in 'b'

}  // namespace

TEST(Cp949, LeadBytesAndCharacterBoundaries)
{
    ASSERT_EQ(kTrailN, "\x81\x6E") << "the source literals must be CP949 bytes";
    EXPECT_FALSE(core::IsLeadByte(0x80));
    EXPECT_TRUE(core::IsLeadByte(0x81));
    EXPECT_TRUE(core::IsLeadByte(0xFE));
    EXPECT_FALSE(core::IsLeadByte(0xFF));
    const std::string text = kTrailN + "ew";
    const bool boundary[] = {true, false, true, true, true, false};
    for (size_t pos = 0; pos < 6; ++pos)
        EXPECT_EQ(core::IsCharBoundary(text, pos), boundary[pos]) << "pos " << pos;
}

TEST(Cp949, FindMatchesAtCharacterBoundariesOnly)
{
    struct Case {
        std::string text, needle;
        size_t start, expected;
    } cases[] = {
        {kTrailN + "ew", "new", 0, npos},
        {kTrailN + "new", "new", 0, 2},
        {kTrailB + "b", "b", 0, 2},
        {kTrailB + "b", "b", 1, 2},  // a start inside a character moves to the next one
        {"abab", "ab", 1, 2},
        {"ab", "abc", 0, npos},
        {"", "a", 0, npos},
        {"abc", "", 3, 3},
        {"abc", "", 4, npos},
        {"ab\x81", "\x81", 0, 2},  // a lone lead byte at the end is a character of its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindText(c.text, c.needle, c.start), c.expected) << c.text << " / " << c.needle;
    EXPECT_EQ(FindChar(kTrailB + kTrailB + "b<", 'b'), 4u);
    EXPECT_EQ(FindChar(kTrailB, 'b'), npos);
}
