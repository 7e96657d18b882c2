#pragma once

// A dialog's initialisation data, the resource (type 240, named like the
// dialog's template) that resource compilers write for the items of its list
// boxes and combo boxes. Each entry is a control id (16 bits), a message
// (16 bits), a data length (32 bits) and that many bytes of data, all
// little-endian; a zero control id ends the list.

#include <cstddef>
#include <string>
#include <vector>

namespace core {

// The platform's item-adding messages, and the 16-bit values classic resource
// compilers still write in their place.
constexpr unsigned kLbAddString = 0x0180;
constexpr unsigned kCbAddString = 0x0143;
constexpr unsigned kWin16LbAddString = 0x0401;
constexpr unsigned kWin16CbAddString = 0x0403;

struct DlgInitItem {
    unsigned controlId;
    unsigned message;  // kLbAddString or kCbAddString
    std::string text;
};

// The items the data adds, in order. A 16-bit message is given as its 32-bit
// value; entries of any other message are skipped. A text ends at its first
// zero byte or at its length. Reading stops at the zero id, at the end of the
// data, or at an entry whose length runs past the end: nothing beyond `size`
// is ever read.
std::vector<DlgInitItem> ParseDlgInit(const unsigned char* data, size_t size);

}  // namespace core
