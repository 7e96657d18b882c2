#pragma once

// Small text operations shared by the routes and the document builders.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

// Escapes the five XML special characters; the result is safe in text and in
// attribute values of either quote.
std::string XmlEscape(std::string_view text);

// Decodes %XX escapes (either hex case). A '+' stays a '+': the programs never
// write one for a space. A '%' not followed by two hex digits is kept as it is.
std::string PercentDecode(std::string_view text);

// The part of a request target after its first '?', raw; empty without one.
std::string_view RawQuery(std::string_view target);

// The decoded value of the first "key=value" pair of a raw query whose key is
// exactly `key`; a bare "key" yields an empty value; nullopt when absent.
std::optional<std::string> QueryValue(std::string_view rawQuery, std::string_view key);

// ASCII letters lowered; every other byte (UTF-8 included) unchanged.
std::string AsciiLower(std::string_view text);

// The value of a text made only of 1 to 18 ASCII digits; nullopt otherwise.
std::optional<long long> ParseCount(std::string_view text);

// The pieces between separators; n separators give n + 1 pieces.
std::vector<std::string> Split(std::string_view text, char separator);

// A regular expression that matches exactly this path.
std::string ExactPathPattern(std::string_view path);

// Every occurrence of `from` replaced by `to`; an empty `from` changes nothing.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace standin
