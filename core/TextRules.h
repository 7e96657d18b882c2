#pragma once

// The feeds' text operations. Texts are CP949 bytes unless a name says UTF-8;
// searches match at character boundaries only (see Cp949.h).

#include <cstddef>
#include <string>

namespace core {

// "hh:mm:ss" of a number of seconds; a negative number counts as 0.
std::string FormatDuration(int seconds);

// The decimal number at the start of a text, read as the C library's atoi
// reads it: leading white space skipped, one optional sign, then digits up to
// the first other character. No digits give 0; values beyond the int range
// clamp to INT_MAX or INT_MIN.
int LeadingInt(const std::string& text);

// Query-value encoding of UTF-8 text: every byte other than A-Z a-z 0-9 - . _ ~
// becomes '%' and two upper-case hex digits.
std::string PercentEncodeUtf8(const std::string& utf8);

// The text from just after the first marker. A missing marker counts as found
// at position -1, so the result then starts at byte (marker length - 1); the
// channel feed's values have always been cut this way. A start beyond the end
// gives "".
std::string TextAfterFirst(const std::string& text, const std::string& marker);

// What stands before the first c; "" when c is missing.
std::string TextBeforeFirst(const std::string& text, char c);

// The text without any occurrence of the single-byte character c.
std::string RemoveChar(std::string text, char c);

// At most the first n bytes, one byte fewer when byte n would split a
// double-byte character.
std::string FirstChars(const std::string& text, size_t n);

// What follows the first marker; the whole text when the marker is missing.
std::string TextAfterFirstOccurrence(const std::string& text, const std::string& marker);

}  // namespace core
