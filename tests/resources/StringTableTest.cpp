// String blocks and loadString.
#include "ByteWriter.h"
#include "Fixtures.h"

#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

using namespace resources;
using namespace resources_test;

namespace {

// A block with the given strings at the first indexes and empty ones after.
ByteWriter block(std::initializer_list<std::u16string_view> strings)
{
    ByteWriter w;
    std::size_t count = 0;
    for (std::u16string_view s : strings) {
        w.u16(static_cast<std::uint16_t>(s.size())).units(s);
        ++count;
    }
    for (; count < 16; ++count)
        w.u16(0);
    return w;
}

}  // namespace

TEST(StringTable, LoadStringFindsStringsAcrossBlocks)
{
    const FixtureRes res("identity.res");
    struct Case {
        std::uint32_t id;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {101, "&About quilvane..."},
        {102, ""},  // stored empty
        {103, ""},  // not stored, but its block exists
        {0xF107, "Failed to launch help."},
        {0xF106, ""},
        {100, ""},
        {96, ""},           // first index of block 7
        {95, std::nullopt},  // block 6 does not exist
        {5000, std::nullopt},
        {0xFFFFFFFF, std::nullopt},  // would need block 0x10000000
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadString(res.file(), c.id), c.expected) << "string " << c.id;
}

TEST(StringTable, LoadStringFallsBackAcrossLanguages)
{
    const FixtureRes res("languages.res");
    EXPECT_EQ(loadString(res.file(), 200, 0x0409), "color");
    EXPECT_EQ(loadString(res.file(), 200, 0x0809), "colour");
    EXPECT_EQ(loadString(res.file(), 200, 0x0C09), "color");
    EXPECT_EQ(loadString(res.file(), 300, 0x0409), "Farbe");
}

TEST(StringTable, LoadStringOfAMalformedBlockIsMissing)
{
    ByteWriter truncated = block({u"fine"});
    const std::vector<std::uint8_t> cut(truncated.data().begin(), truncated.data().end() - 2);
    const auto bytes = buildResFile({{ResourceName::id(kTypeString), ResourceName::id(1), kLangEnglishUS, cut}});
    const auto file = ResourceFile::parse(bytes);
    ASSERT_TRUE(file.ok()) << file.error();
    EXPECT_EQ(loadString(*file, 0), std::nullopt);
}

TEST(StringTable, BlockTextIsConvertedToUtf8)
{
    const auto parsed = parseStringBlock(block({u"plain", u"", u"caf\u00e9 \u20ac", u"\U0001F600", std::u16string_view(u"ends\0", 5)}).data());
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    EXPECT_EQ((*parsed)[0], "plain");
    EXPECT_EQ((*parsed)[1], "");
    EXPECT_EQ((*parsed)[2], "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ((*parsed)[3], "\xF0\x9F\x98\x80");
    EXPECT_EQ((*parsed)[4], "ends") << "a stored terminating NUL is not part of the text";
    EXPECT_EQ((*parsed)[15], "");
}

TEST(StringTable, RefusesLengthsPastTheEnd)
{
    const FixtureRes res("identity.res");
    expectEveryCutRefused(res.data(kTypeString, ResourceName::id(7)),
                          [](auto data) { return parseStringBlock(data); });

    ByteWriter oversized = block({u"a", u"b"});
    oversized.patchU16(8, 0xFFFF);  // the length of the third string
    const auto parsed = parseStringBlock(oversized.data());
    ASSERT_FALSE(parsed.ok());
    EXPECT_NE(parsed.error().find("string block entry 2: text at offset 0xa: needs 131070 bytes"), std::string::npos)
        << parsed.error();
}
