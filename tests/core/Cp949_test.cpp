// CP949 text, in the core searches and in the 8-bit string class: searches
// must not stop inside a double-byte character, and no position, however
// wrong, reads out of range.
#include <gtest/gtest.h>

#include "core/Cp949.h"
#include "framework/String.h"
#include "framework/StringArray.h"

#include <string>

namespace {

const size_t npos = std::string::npos;

// Syllables whose CP949 trail byte is an ASCII letter. CP949 trail bytes are
// letters or high bytes, never punctuation, so the letter cases are the ones that bite.
const std::string kTrailN = "걆";  // 81 6E: ends in 'n'
const std::string kTrailB = "갶";  // 81 62: ends in 'b'

TEST(Cp949, LeadBytesAndCharacterBoundaries)
{
    ASSERT_EQ(kTrailN, "\x81\x6E") << "the source literals must be CP949 bytes";
    for (const auto& [byte, lead] : {std::pair{0x80, false}, {0x81, true}, {0xFE, true}, {0xFF, false}})
        EXPECT_EQ(core::IsLeadByte(byte), lead) << byte;
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
        {kTrailN + "ew", "new", 0, npos}, {kTrailN + "new", "new", 0, 2}, {"abc", "", 3, 3}, {"abc", "", 4, npos},
        {kTrailB + "b", "b", 1, 2},  // a start inside a character moves to the next one
        {"ab\x81", "\x81", 0, 2},  // a lone lead byte at the end is a character of its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::FindText(c.text, c.needle, c.start), c.expected) << c.text << " / " << c.needle;
    EXPECT_EQ(core::FindChar(kTrailB + kTrailB + "b<", 'b'), 4u);
    EXPECT_EQ(core::FindChar(kTrailB, 'b'), npos);
}

TEST(CString, FindSkipsTrailBytesAndPositionsOutsideTheText)
{
    EXPECT_EQ(-1, (CString(kTrailN) + "ew0").Find("new"));
    const CString later = CString(kTrailN) + "abcnew0";
    EXPECT_EQ(5, later.Find("new"));
    EXPECT_EQ(5, later.ReverseFind('n'));
    const CString text("abc");
    EXPECT_EQ(-1, text.Find('a', -1));
    EXPECT_EQ(-1, text.Find("a", 4));
    EXPECT_EQ(-1, text.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, text.Find("", 3));
}

TEST(CString, CutsClampEveryRange)
{
    const CString text("스텔론");  // six bytes in CP949
    const std::pair<CString, CString> cuts[] = {
        {text.Left(2), "스"}, {text.Left(-5), ""},      {text.Left(100), text}, {text.Right(2), "론"}, {text.Mid(50), ""},
        {text.Mid(-3), text}, {text.Mid(2, 2), "텔"},  {text.Mid(2, -1), ""},  {text.Mid(2, 1000), "텔론"},
    };
    for (const auto& [cut, expected] : cuts) EXPECT_EQ(expected, cut);
    EXPECT_EQ(0, text.GetAt(-1));
    EXPECT_EQ(0, text.GetAt(6));
}

TEST(CString, RemoveReplaceAndDeleteLeaveDoubleByteCharactersWhole)
{
    CString text = CString(kTrailN) + "n\nn";
    EXPECT_EQ(2, text.Remove('n'));
    EXPECT_EQ(CString(kTrailN) + "\n", text);
    CString rank("검색new0어new0");
    EXPECT_EQ(2, rank.Replace("new0", ""));
    EXPECT_EQ(CString("검색어"), rank);
    CString guarded = CString(kTrailN) + "ew";
    EXPECT_EQ(0, guarded.Replace("new", "X"));
    CString deleted("abcdef");
    EXPECT_EQ(4, deleted.Delete(1, 2));
    EXPECT_EQ(CString("adef"), deleted);
    EXPECT_EQ(1, deleted.Delete(1, 100));
}

TEST(CStringArray, ReadingOrWritingPastTheEndChangesNothing)
{
    CStringArray array;
    array.Add("one");
    EXPECT_EQ(CString("one"), array[0]);
    EXPECT_TRUE(array.GetAt(1).IsEmpty());
    EXPECT_TRUE(array.GetAt(-1).IsEmpty());
    array.SetAt(5, "ignored");
    EXPECT_EQ(1, array.GetSize());
}

}  // namespace
