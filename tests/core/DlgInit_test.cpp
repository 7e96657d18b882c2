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

}  // namespace

TEST(DlgInit, ItemsUpToTheEndMarkOrTheFirstDamage)
{
    const std::string end(2, '\0');
    const std::string item = Entry(1036, 0x0143, 10, std::string("한곡 재생") + '\0');
    const struct {
        std::string data;
        std::string items;  // "<id>:<message>:<text>|" per item
    } cases[] = {
        {item + Entry(7, 0x0403, 2, std::string("b\0", 2)) + Entry(8, 0x0401, 1, "c") + Entry(9, 0x0111, 1, "x") +
             Entry(9, 0x0180, 4, std::string("d\0e\0", 4)) + end + item,
         "1036:323:한곡 재생|7:323:b|8:384:c|9:384:d|"},
        {item + std::string("\x0C\x04\x43\x01\x02", 5), "1036:323:한곡 재생|"},        // half a header
        {item + Entry(5, 0x0143, 3, std::string("b\0", 2)), "1036:323:한곡 재생|"},     // length past the end
        {item + Entry(5, 0x0143, 0xFFFFFFFFul, "b"), "1036:323:한곡 재생|"},            // length near 4 GB
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string items;
        for (const core::DlgInitItem& i :
             core::ParseDlgInit(reinterpret_cast<const unsigned char*>(c.data.data()), c.data.size())) {
            items += std::to_string(i.controlId) + ":" + std::to_string(i.message) + ":" + i.text + "|";
        }
        EXPECT_EQ(c.items, items) << static_cast<int>(&c - cases);
    }
    EXPECT_TRUE(core::ParseDlgInit(nullptr, 16).empty());
}
