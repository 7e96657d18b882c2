#pragma once

// What a count request asks to record. The programs send exactly
// "mode=stel7_<event word>&key=stel7"; anything else that still looks like a
// count is recorded apart, so the event figures hold only what the programs sent.

#include <optional>
#include <string>
#include <string_view>

namespace vendor {

// The nine event words the programs send, in the order the report shows them.
inline constexpr const char* kEventWords[] = {
    "execute", "popup", "toast", "menu_search", "menu_vod", "menu_music", "menu_best", "search", "boot",
};
inline constexpr size_t kEventWordCount = sizeof(kEventWords) / sizeof(kEventWords[0]);

enum class CountKind
{
    Event,        // one of the nine words with the right key
    UnknownWord,  // the right key, a word no program sends (or no word)
    WrongKey,     // any word with a wrong or missing key
};

struct CountQuery
{
    CountKind kind;
    std::string word;  // the event word for Event; empty otherwise
};

// Longest query value accepted; the longest real one is "stel7_menu_search".
inline constexpr size_t kMaxQueryValue = 64;

// Classifies the raw query (after '?', still percent-encoded). nullopt: not a
// count at all (a value overlong or not printable ASCII once decoded, a broken
// escape, a field given twice), which is refused and not recorded.
std::optional<CountQuery> ParseCountQuery(std::string_view rawQuery);

// Percent-decodes `text`; nullopt on a broken escape.
std::optional<std::string> PercentDecode(std::string_view text);

}  // namespace vendor
