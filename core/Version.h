#pragma once

// Build numbers are decimal texts compared as integers.

#include <optional>
#include <string>

namespace core {

// The update document's announced build as the programs read it: decimal
// digits only, no sign, no leading zero ("0" itself aside), at most
// 2147483647, nothing around them. Any other spelling ("0195", "+195", "195abc")
// announces no build: the vendor's signature covers the number in exactly
// this spelling (UpdateStatement.h), and a text the programs read one way and
// the statement spells another must never pass for it.
std::optional<int> AnnouncedBuild(const std::string& text);

// True when the announced build is one (AnnouncedBuild) and strictly newer
// than the installed one, which is read as atoi reads it (LeadingInt), so that
// a missing or non-numeric installed text counts as 0.
bool IsNewerBuild(const std::string& installed, const std::string& announced);

}  // namespace core
