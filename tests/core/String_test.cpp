// The 8-bit string class on CP949 text: searches must not stop inside a
// double-byte character, and no position, however wrong, reads out of range.
#include <gtest/gtest.h>

#include "framework/String.h"
#include "framework/StringArray.h"

namespace {

// "걆" is 0x81 0x6E: its trail byte is the letter 'n'. CP949 trail bytes
// are letters or high bytes, never punctuation, so the letter cases are the
// ones that bite.
const char kTrailN[] = "\x81\x6E";  // a syllable whose second byte is 'n'

TEST(CStringFind, SkipsTrailBytesThatLookLikeLetters)
{
    const CString text = CString(kTrailN) + "ew0";
    EXPECT_EQ(-1, text.Find("new"));
    EXPECT_EQ(-1, text.Find('n'));
    const CString later = CString(kTrailN) + "abcnew0";
    EXPECT_EQ(5, later.Find("new"));
    EXPECT_EQ(5, later.ReverseFind('n'));
}

TEST(CStringFind, StartPositionsOutsideTheTextFindNothing)
{
    const CString text("abc");
    EXPECT_EQ(-1, text.Find('a', -1));
    EXPECT_EQ(-1, text.Find("a", 4));
    EXPECT_EQ(-1, text.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, text.Find("", 3));
}

TEST(CStringCut, ClampsEveryRange)
{
    const CString text("스텔론");  // six bytes in CP949
    ASSERT_EQ(6, text.GetLength());
    EXPECT_EQ(CString("스"), text.Left(2));
    EXPECT_EQ(CString(), text.Left(-5));
    EXPECT_EQ(text, text.Left(100));
    EXPECT_EQ(CString("론"), text.Right(2));
    EXPECT_EQ(text, text.Right(99));
    EXPECT_EQ(CString("텔론"), text.Mid(2));
    EXPECT_EQ(CString(), text.Mid(50));
    EXPECT_EQ(text, text.Mid(-3));
    EXPECT_EQ(CString("텔"), text.Mid(2, 2));
    EXPECT_EQ(CString(), text.Mid(2, -1));
    EXPECT_EQ(CString("텔론"), text.Mid(2, 1000));
    EXPECT_EQ(0, text.GetAt(-1));
    EXPECT_EQ(0, text.GetAt(6));
}

TEST(CStringEdit, RemoveAndReplaceLeaveDoubleByteCharactersWhole)
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
    EXPECT_EQ(4, deleted.Delete(10, 2));
    EXPECT_EQ(1, deleted.Delete(1, 100));
}

TEST(CStringCompare, IsBytewiseAndCaseSensitive)
{
    EXPECT_TRUE(CString("true") == "true");
    EXPECT_FALSE(CString("TRUE") == "true");
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_EQ(0, CString("가").Compare("가"));
    EXPECT_NE(0, CString("가").Compare("나"));
    EXPECT_EQ(1, CString("b").Compare(nullptr));
}

TEST(CStringFormat, FormatsAndGrowsPastAnyFixedBuffer)
{
    CString text;
    text.Format("%02d:%02d", 3, 5);
    EXPECT_EQ(CString("03:05"), text);
    const std::string longTitle(5000, 'x');
    text.Format("%s - %s", "스텔론", longTitle.c_str());
    EXPECT_EQ(5000 + 9, text.GetLength());
}

TEST(CStringBuffer, ReleaseBufferTakesTheTextUpToItsEnd)
{
    CString text;
    char* buffer = text.GetBuffer(10);
    buffer[0] = 'o';
    buffer[1] = 'k';
    buffer[2] = '\0';
    text.ReleaseBuffer();
    EXPECT_EQ(CString("ok"), text);
}

TEST(CStringArrayTest, ReadingPastTheEndGivesEmptyText)
{
    CStringArray array;
    EXPECT_TRUE(array.GetAt(0).IsEmpty());
    array.Add("one");
    EXPECT_EQ(CString("one"), array[0]);
    EXPECT_TRUE(array.GetAt(1).IsEmpty());
    EXPECT_TRUE(array.GetAt(-1).IsEmpty());
    array.SetAt(5, "ignored");
    EXPECT_EQ(1, array.GetSize());
    array.RemoveAll();
    EXPECT_EQ(0, array.GetCount());
}

}  // namespace
