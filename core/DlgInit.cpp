#include "core/DlgInit.h"

namespace core {

namespace {

unsigned ReadWord(const unsigned char* p)
{
    return static_cast<unsigned>(p[0]) | static_cast<unsigned>(p[1]) << 8;
}

unsigned long ReadDword(const unsigned char* p)
{
    return static_cast<unsigned long>(ReadWord(p)) | static_cast<unsigned long>(ReadWord(p + 2)) << 16;
}

// The 32-bit item-adding message for a message as written, or 0.
unsigned AddStringMessage(unsigned message)
{
    switch (message) {
    case kWin16LbAddString:
    case kLbAddString:
        return kLbAddString;
    case kWin16CbAddString:
    case kCbAddString:
        return kCbAddString;
    default:
        return 0;
    }
}

}  // namespace

std::vector<DlgInitItem> ParseDlgInit(const unsigned char* data, size_t size)
{
    std::vector<DlgInitItem> items;
    const size_t kHeader = 8;
    size_t pos = 0;
    while (data && size - pos >= 2) {
        const unsigned controlId = ReadWord(data + pos);
        if (controlId == 0 || size - pos < kHeader) break;
        const unsigned message = AddStringMessage(ReadWord(data + pos + 2));
        const unsigned long length = ReadDword(data + pos + 4);
        pos += kHeader;
        if (length > size - pos) break;
        if (message != 0) {
            const char* text = reinterpret_cast<const char*>(data + pos);
            size_t textLength = 0;
            while (textLength < length && text[textLength] != '\0') ++textLength;
            items.push_back({controlId, message, std::string(text, textLength)});
        }
        pos += length;
    }
    return items;
}

}  // namespace core
