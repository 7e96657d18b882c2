#include "core/SearchRank.h"

#include <gtest/gtest.h>

#include <string>

using core::TermFromRankText;

TEST(SearchRank, TermWithoutItsMovementMark)
{
    const std::pair<std::string, std::string> cases[] = {
        {"newsnew0", "news"}, {"a+b+5", "a+b"}, {"+12", ""},
        {"abc+1+2", "abc+1"},  // exactly one mark goes
        // Not marks: no amount, or no sign before the amount.
        {"C++", "C++"}, {"abc+", "abc+"}, {"abcnew", "abcnew"},
        // "걆" ends in the byte 'n': "ew0" after it is not "new0".
        {"걆ew0", "걆ew0"},
    };
    for (const auto& [text, term] : cases)
        EXPECT_EQ(TermFromRankText(text), term) << text;
    // The last rank text wins.
    EXPECT_EQ(core::TopTermFromRankTexts({}), std::nullopt);
    EXPECT_EQ(core::TopTermFromRankTexts({"firstnew0", "second+4"}), "second");
    EXPECT_EQ(core::TopTermFromRankTexts({"+5"}), "");
}

// The portal's text is input: an amount of a million digits is read in one
// walk (the test's time-out catches a walk per digit, which takes hours).
TEST(SearchRank, MillionDigitAmountEndsAtOnce)
{
    const std::string digits(1000000, '7');
    EXPECT_EQ(TermFromRankText("term+" + digits), "term");
    EXPECT_EQ(TermFromRankText(digits), digits);
}
