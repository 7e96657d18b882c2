#pragma once

// The portal's first-ranked search term. An "R1" text is the term followed by
// a movement mark: "new" or one of '+', '-', '*', then the amount in digits.

#include <optional>
#include <string>
#include <vector>

namespace core {

// The term without its one trailing movement mark. A mark needs at least one
// digit: the portal always writes an amount, so "abc+" is a term as it stands,
// as is any text without a mark ("C++").
std::string TermFromRankText(const std::string& r1Text);

// The term of the last "R1" text (the last one wins); nullopt when there is none.
std::optional<std::string> TopTermFromRankTexts(const std::vector<std::string>& r1Texts);

}  // namespace core
