#pragma once

// Addresses that arrive from documents (feed links, promotion and update
// addresses) are input: only web addresses may be opened or fetched, and one
// handed to another program must stay one argument.

#include <string>

namespace core {

// True for an http:// or https:// address (scheme in any case) with something
// after the scheme, no control character and no double quote (which could not
// stay inside one quoted argument). Blanks are allowed: the argument is quoted.
bool IsWebAddress(const std::string& address);

// The text without the blanks, tabs and line breaks around it, as an address
// written on a line of its own in a document arrives.
std::string TrimBlanks(const std::string& text);

// The address as one quoted command-line argument. Backslashes before the
// closing quote are doubled, so they cannot escape it.
std::string QuotedArgument(const std::string& address);

}  // namespace core
