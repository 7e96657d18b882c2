#include "core/Cp949.h"

namespace core {

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

size_t CharLengthAt(const std::string& text, size_t pos)
{
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

bool IsCharBoundary(const std::string& text, size_t pos)
{
    if (pos > text.size())
        return false;
    size_t i = 0;
    while (i < pos)
        i += CharLengthAt(text, i);
    return i == pos;
}

size_t FindText(const std::string& text, const std::string& needle, size_t start)
{
    if (needle.empty())
        return start <= text.size() ? start : std::string::npos;
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (i >= start && text.compare(i, needle.size(), needle) == 0)
            return i;
    }
    return std::string::npos;
}

size_t FindChar(const std::string& text, char c, size_t start)
{
    return FindText(text, std::string(1, c), start);
}

}  // namespace core
