#include "server/CountQuery.h"

namespace vendor {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsPrintableAscii(std::string_view text)
{
    for (const char c : text)
    {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}

constexpr std::string_view kModePrefix = "stel7_";
constexpr std::string_view kKey = "stel7";

}  // namespace

std::optional<std::string> PercentDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '%')
        {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

std::optional<CountQuery> ParseCountQuery(std::string_view rawQuery)
{
    std::optional<std::string> mode;
    std::optional<std::string> key;
    // Two fields with room for their names, escapes and a few stray ones.
    if (rawQuery.size() > 8 * kMaxQueryValue)
        return std::nullopt;
    while (!rawQuery.empty())
    {
        const size_t amp = rawQuery.find('&');
        const std::string_view field = rawQuery.substr(0, amp);
        rawQuery = amp == std::string_view::npos ? std::string_view() : rawQuery.substr(amp + 1);
        if (field.empty())
            continue;
        const size_t eq = field.find('=');
        const std::optional<std::string> name = PercentDecode(field.substr(0, eq));
        const std::optional<std::string> value =
            PercentDecode(eq == std::string_view::npos ? std::string_view() : field.substr(eq + 1));
        if (!name || !value || value->size() > kMaxQueryValue || !IsPrintableAscii(*name) ||
            !IsPrintableAscii(*value))
            return std::nullopt;
        std::optional<std::string>* slot = *name == "mode" ? &mode : *name == "key" ? &key : nullptr;
        if (slot == nullptr)
            continue;  // fields no program sends are ignored, like a cache-buster
        if (*slot)
            return std::nullopt;
        *slot = *value;
    }

    if (!key || *key != kKey)
        return CountQuery{CountKind::WrongKey, std::string()};
    if (mode && mode->compare(0, kModePrefix.size(), kModePrefix) == 0)
    {
        const std::string_view word = std::string_view(*mode).substr(kModePrefix.size());
        for (const char* known : kEventWords)
        {
            if (word == known)
                return CountQuery{CountKind::Event, std::string(word)};
        }
    }
    return CountQuery{CountKind::UnknownWord, std::string()};
}

}  // namespace vendor
