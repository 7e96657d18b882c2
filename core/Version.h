#pragma once

// Build numbers are decimal texts compared as integers.

#include <string>

namespace core {

// True when the announced build is strictly newer than the installed one. Both
// texts are read as atoi reads them (LeadingInt), so a missing or non-numeric
// text counts as 0.
bool IsNewerBuild(const std::string& installed, const std::string& announced);

}  // namespace core
