#include "core/DlgInit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::DlgInitItem;
using core::ParseDlgInit;

namespace {

using Bytes = std::vector<unsigned char>;

// One entry as resource compilers write it.
Bytes Entry(unsigned id, unsigned message, unsigned long length, const std::string& data)
{
    Bytes bytes = {static_cast<unsigned char>(id), static_cast<unsigned char>(id >> 8),
                   static_cast<unsigned char>(message), static_cast<unsigned char>(message >> 8),
                   static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                   static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kEnd = {0, 0};

std::vector<std::string> Texts(const Bytes& data)
{
    std::vector<std::string> texts;
    for (const DlgInitItem& item : ParseDlgInit(data.data(), data.size())) texts.push_back(item.text);
    return texts;
}

}  // namespace

TEST(DlgInit, ComboItemsInOrderWithTheirControl)
{
    const Bytes data = Join({Entry(1036, 0x0143, 10, std::string("한곡 재생") + '\0'),
                             Entry(1036, 0x0143, 5, std::string("loop\0", 5)), kEnd});
    const std::vector<DlgInitItem> items = ParseDlgInit(data.data(), data.size());
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(1036u, items[0].controlId);
    EXPECT_EQ(0x0143u, items[0].message);
    EXPECT_EQ("한곡 재생", items[0].text);
    EXPECT_EQ("loop", items[1].text);
}

TEST(DlgInit, SixteenBitMessagesBecomeThePlatformsAndOthersAreSkipped)
{
    const Bytes data = Join({Entry(7, 0x0403, 2, std::string("a\0", 2)), Entry(8, 0x0401, 2, std::string("b\0", 2)),
                             Entry(9, 0x0111, 2, std::string("c\0", 2)), Entry(10, 0x0180, 2, std::string("d\0", 2)),
                             kEnd});
    const std::vector<DlgInitItem> items = ParseDlgInit(data.data(), data.size());
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ(0x0143u, items[0].message);
    EXPECT_EQ(0x0180u, items[1].message);
    EXPECT_EQ("d", items[2].text);
    EXPECT_EQ(0x0180u, items[2].message);
}

TEST(DlgInit, DamagedDataKeepsTheEntriesBeforeTheDamage)
{
    const Bytes good = Entry(1036, 0x0143, 2, std::string("a\0", 2));
    struct Case {
        const char* what;
        Bytes data;
        std::vector<std::string> texts;
    } cases[] = {
        {"empty", {}, {}},
        {"no end mark", good, {"a"}},
        {"data after the end mark", Join({good, kEnd, good}), {"a"}},
        {"half an id", Join({good, {0x0C}}), {"a"}},
        {"half a header", Join({good, {0x0C, 0x04, 0x43, 0x01, 2}}), {"a"}},
        {"length past the end", Join({good, Entry(1036, 0x0143, 3, std::string("b\0", 2))}), {"a"}},
        {"length near 4 GB", Join({good, Entry(1036, 0x0143, 0xFFFFFFFFul, "b")}), {"a"}},
        {"text without its zero", Join({Entry(1036, 0x0143, 3, "abc"), kEnd}), {"abc"}},
        {"zero inside the text", Join({Entry(1036, 0x0143, 4, std::string("ab\0c", 4)), kEnd}), {"ab"}},
        {"empty text", Join({Entry(1036, 0x0143, 0, ""), good, kEnd}), {"", "a"}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.texts, Texts(c.data)) << c.what;
    EXPECT_TRUE(ParseDlgInit(nullptr, 16).empty());
}
