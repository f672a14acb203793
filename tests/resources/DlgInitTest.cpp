// Dialog initialisation lists: the packed, unaligned entries and the ways a
// list can be broken.
#include "ByteWriter.h"
#include "Fixtures.h"

#include "platform/resources/DlgInit.h"

#include <gtest/gtest.h>

#include <string>

using namespace resources;
using namespace resources_test;

namespace {

ByteWriter entry(std::uint16_t control, std::uint16_t message, std::string_view data)
{
    ByteWriter w;
    w.u16(control).u16(message).u32(static_cast<std::uint32_t>(data.size())).ascii(data);
    return w;
}

}  // namespace

TEST(DlgInit, ChannelListFromTheCompiler)
{
    const FixtureRes res("identity.res");
    const auto data = res.data(kTypeDlgInit, ResourceName::id(102));
    EXPECT_EQ(data.size(), 18u * 19u + 2u) << "entries are packed without padding";
    const auto parsed = parseDlgInit(data);
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    ASSERT_EQ(parsed->size(), 18u);
    for (std::size_t i = 0; i < parsed->size(); ++i) {
        const DlgInitEntry& e = (*parsed)[i];
        const std::string number = std::to_string(i + 1);
        const std::string expected = "Channel " + std::string(number.size() < 2 ? "0" : "") + number;
        EXPECT_EQ(e.controlId, 1001) << i;
        EXPECT_EQ(e.message, kDlgInitComboAddString) << i;
        EXPECT_EQ(e.data.size(), 11u) << i;
        EXPECT_EQ(e.text(), expected) << i;
    }
    expectEveryCutRefused(data, [](auto cut) { return parseDlgInit(cut); });
}

TEST(DlgInit, OtherMessagesKeepTheirDataAsIs)
{
    ByteWriter w;
    w.bytes(entry(5, 0x1234, std::string_view("\x01\x00\x02", 3)).data());
    w.bytes(entry(6, kDlgInitListAddString, std::string_view("one\0", 4)).data());
    w.bytes(entry(7, 0x0001, "").data());
    w.u16(0);
    w.u8(0xEE);  // bytes after the end marker are padding, not entries
    const auto parsed = parseDlgInit(w.data());
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    ASSERT_EQ(parsed->size(), 3u);
    EXPECT_EQ((*parsed)[0].data, (std::vector<std::uint8_t>{1, 0, 2}));
    EXPECT_EQ((*parsed)[1].controlId, 6);
    EXPECT_EQ((*parsed)[1].text(), "one");
    EXPECT_TRUE((*parsed)[2].data.empty());

    ByteWriter empty;
    empty.u16(0);
    const auto none = parseDlgInit(empty.data());
    ASSERT_TRUE(none.ok()) << none.error();
    EXPECT_TRUE(none->empty());
}

TEST(DlgInit, RefusesBrokenListsWhole)
{
    const ByteWriter good = entry(1001, kDlgInitComboAddString, std::string_view("A\0", 2));
    ByteWriter noMarker;
    noMarker.bytes(good.data()).bytes(good.data());
    ByteWriter oversized;
    oversized.bytes(good.data()).u16(1001).u16(kDlgInitComboAddString).u32(0xFFFFFFFF).ascii("B").u16(0);
    ByteWriter noNul;
    noNul.bytes(good.data()).bytes(entry(1001, kDlgInitComboAddString, "Channel").data()).u16(0);
    ByteWriter listNoNul;
    listNoNul.bytes(entry(1001, kDlgInitListAddString, "x").data()).u16(0);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"no data at all", {}, "entry 0: end marker at offset 0x0"},
        {"no end marker", noMarker.data(), "entry 2: end marker at offset 0x14"},
        {"length past the end", oversized.data(), "entry 1: data at offset 0x12: needs 4294967295 bytes"},
        {"combo string without NUL", noNul.data(), "entry 1: data at offset 0x12: the string"},
        {"list string without NUL", listNoNul.data(), "NUL"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseDlgInit(c.bytes);
        EXPECT_FALSE(parsed.ok()) << c.what;
        EXPECT_NE(parsed.error().find(c.message), std::string::npos)
            << c.what << ": message \"" << parsed.error() << "\"";
    }
}
