#include "core/WebLink.h"

#include <cctype>

namespace core {

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}

}  // namespace

bool IsWebAddress(const std::string& address)
{
    size_t schemeLength = 0;
    if (StartsWithNoCase(address, "http://"))
        schemeLength = 7;
    else if (StartsWithNoCase(address, "https://"))
        schemeLength = 8;
    if (schemeLength == 0 || address.size() == schemeLength)
        return false;
    for (const char c : address) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"')
            return false;
    }
    return true;
}

std::string QuotedArgument(const std::string& address)
{
    size_t trailingBackslashes = 0;
    while (trailingBackslashes < address.size() && address[address.size() - 1 - trailingBackslashes] == '\\')
        ++trailingBackslashes;
    return "\"" + address + std::string(trailingBackslashes, '\\') + "\"";
}

std::string TrimBlanks(const std::string& text)
{
    const char* const kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace core
