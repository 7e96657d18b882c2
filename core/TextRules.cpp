#include "core/TextRules.h"

#include "core/Cp949.h"

#include <climits>
#include <cstdio>

namespace core {

std::string FormatDuration(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return buf;
}

int LeadingInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}

std::string PercentEncodeUtf8(const std::string& utf8)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string TextAfterFirst(const std::string& text, const std::string& marker)
{
    const size_t pos = FindText(text, marker);
    // An empty marker is always found, so the missing case has marker.size() >= 1.
    const size_t start = pos == std::string::npos ? marker.size() - 1 : pos + marker.size();
    return start < text.size() ? text.substr(start) : std::string();
}

std::string TextBeforeFirst(const std::string& text, char c)
{
    const size_t pos = FindChar(text, c);
    return pos == std::string::npos ? std::string() : text.substr(0, pos);
}

std::string RemoveChar(std::string text, char c)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLengthAt(text, i);
        if (length == 2 || text[i] != c)
            out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string FirstChars(const std::string& text, size_t n)
{
    if (n >= text.size())
        return text;
    return text.substr(0, IsCharBoundary(text, n) ? n : n - 1);
}

std::string TextAfterFirstOccurrence(const std::string& text, const std::string& marker)
{
    const size_t pos = FindText(text, marker);
    return pos == std::string::npos ? text : text.substr(pos + marker.size());
}

}  // namespace core
