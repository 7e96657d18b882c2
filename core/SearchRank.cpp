#include "core/SearchRank.h"

#include "core/Cp949.h"

#include <vector>

namespace core {

namespace {

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Which byte positions start a character, from one walk over the text: asking
// IsCharBoundary for each trailing digit walks the text again each time, which
// a row of a million digits turns into hours.
std::vector<bool> CharStarts(const std::string& text)
{
    std::vector<bool> starts(text.size() + 1, false);
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i))
        starts[i] = true;
    starts[text.size()] = true;
    return starts;
}

}  // namespace

std::string TermFromRankText(const std::string& r1Text)
{
    const std::vector<bool> starts = CharStarts(r1Text);
    size_t amount = r1Text.size();
    while (amount > 0 && IsAsciiDigit(r1Text[amount - 1]) && starts[amount - 1])
        --amount;
    if (amount == r1Text.size())
        return r1Text;

    // A Hangul syllable's trail byte may be 'n': only a "new" that starts a character counts.
    const char sign = amount > 0 ? r1Text[amount - 1] : '\0';
    if ((sign == '+' || sign == '-' || sign == '*') && starts[amount - 1])
        return r1Text.substr(0, amount - 1);
    if (amount >= 3 && r1Text.compare(amount - 3, 3, "new") == 0 && starts[amount - 3])
        return r1Text.substr(0, amount - 3);
    return r1Text;
}

std::optional<std::string> TopTermFromRankTexts(const std::vector<std::string>& r1Texts)
{
    if (r1Texts.empty())
        return std::nullopt;
    return TermFromRankText(r1Texts.back());
}

}  // namespace core
