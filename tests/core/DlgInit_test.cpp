#include "core/DlgInit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One entry as resource compilers write it: id, message, length, then the data.
std::string Entry(unsigned id, unsigned message, unsigned long length, const std::string& data)
{
    const unsigned long fields[] = {id, id >> 8, message, message >> 8, length, length >> 8, length >> 16, length >> 24};
    std::string bytes;
    for (const unsigned long field : fields) bytes += static_cast<char>(field & 0xFF);
    return bytes + data;
}

// "<id>:<message>:<text>|" per item.
std::string Items(const std::string& data)
{
    std::string items;
    for (const core::DlgInitItem& item :
         core::ParseDlgInit(reinterpret_cast<const unsigned char*>(data.data()), data.size())) {
        items += std::to_string(item.controlId) + ":" + std::to_string(item.message) + ":" + item.text + "|";
    }
    return items;
}

}  // namespace

TEST(DlgInit, ItemsUpToTheEndMarkOrTheFirstDamage)
{
    const std::string end(2, '\0');
    const std::string item = Entry(1036, 0x0143, 10, std::string("한곡 재생") + '\0');
    const std::string kept = "1036:323:한곡 재생|";
    const struct {
        const char* what;
        std::string data;
        std::string items;
    } cases[] = {
        {"combo and list items, 16-bit messages as the platform's",
         item + Entry(7, 0x0403, 2, std::string("b\0", 2)) + Entry(8, 0x0401, 2, std::string("c\0", 2)) +
             Entry(9, 0x0180, 2, std::string("d\0", 2)) + end,
         kept + "7:323:b|8:384:c|9:384:d|"},
        {"other messages skipped", Entry(1, 0x0111, 2, std::string("x\0", 2)) + item + end, kept},
        {"empty", "", ""},
        {"no end mark", item, kept},
        {"half a header", item + std::string("\x0C\x04\x43\x01\x02", 5), kept},
        {"length past the end", item + Entry(1036, 0x0143, 3, std::string("b\0", 2)), kept},
        {"length near 4 GB", item + Entry(1036, 0x0143, 0xFFFFFFFFul, "b"), kept},
        {"text without its zero", Entry(5, 0x0143, 3, "abc") + end, "5:323:abc|"},
        {"zero inside the text", Entry(5, 0x0143, 4, std::string("ab\0c", 4)) + end, "5:323:ab|"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.items, Items(c.data)) << c.what;
    EXPECT_TRUE(core::ParseDlgInit(nullptr, 16).empty());
}
