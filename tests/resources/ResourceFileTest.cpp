// ResourceFile: parsing .res files, lookup by type, name and language.
#include "ByteWriter.h"
#include "Fixtures.h"

#include "platform/resources/ResourceFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using resources::ResourceFile;
using resources::ResourceName;
using namespace resources_test;

namespace {

constexpr std::uint16_t kTypeRcData = 10;
constexpr std::uint16_t kLangEnglishUK = 0x0809;
constexpr std::uint16_t kLangEnglishAU = 0x0C09;
constexpr std::uint16_t kLangGerman = 0x0407;
constexpr std::uint16_t kLangFrench = 0x040C;

std::string text(const resources::ResourceEntry* entry)
{
    return entry ? std::string(entry->data.begin(), entry->data.end()) : "(none)";
}

}  // namespace

TEST(ResourceFile, FindPrefersExactThenPrimaryThenNeutralThenAnyLanguage)
{
    const FixtureRes res("languages.res");
    struct Case {
        std::uint16_t name;
        std::uint16_t language;
        const char* expected;
    };
    const Case cases[] = {
        {1, resources::kLangEnglishUS, "en-US"},    // exact
        {1, kLangEnglishUK, "en-GB"},               // exact, though en-US comes first
        {1, kLangEnglishAU, "en-US"},               // same primary language, first stored
        {2, resources::kLangEnglishUS, "en-GB"},    // same primary language before neutral
        {2, 0, "neutral"},                          // neutral asked for
        {3, resources::kLangEnglishUS, "neutral"},  // neutral before another language
        {3, kLangGerman, "de-DE"},                  // exact
        {4, kLangFrench, "de-DE"},                  // any language as the last resort
        {5, resources::kLangEnglishUS, "(none)"},
    };
    for (const Case& c : cases) {
        const auto* entry = res.file().find(ResourceName::id(kTypeRcData), ResourceName::id(c.name), c.language);
        EXPECT_EQ(text(entry), c.expected) << "name " << c.name << ", language " << std::hex << c.language;
    }
}

TEST(ResourceFile, NamesAndTypesCompareWithoutAsciiCase)
{
    const FixtureRes res("languages.res");
    // The compiler stored "Custom" / "MyData" in capitals.
    for (const char* type : {"Custom", "CUSTOM", "custom"}) {
        for (const char* name : {"MyData", "mydata", "MYDATA"}) {
            EXPECT_EQ(text(res.file().find(ResourceName::named(type), ResourceName::named(name))), "named")
                << type << " / " << name;
        }
    }
    EXPECT_EQ(res.file().find(ResourceName::named("Custom"), ResourceName::named("MyDat")), nullptr);
    EXPECT_EQ(res.file().find(ResourceName::named("10"), ResourceName::id(1)), nullptr)
        << "a name that looks like a number is not the ordinal";

    EXPECT_TRUE(ResourceName::named("Abc") == ResourceName::named("aBC"));
    EXPECT_FALSE(ResourceName::named("Abc") == ResourceName::id(0));
    EXPECT_FALSE(ResourceName::id(1) == ResourceName::id(2));
    EXPECT_FALSE(ResourceName::named("\xC3\x84") == ResourceName::named("\xC3\xA4"))
        << "only ASCII letters fold";
}

TEST(ResourceFile, ListsEntriesInStoredOrderWithoutTheMarker)
{
    const FixtureRes res("languages.res");
    const auto& entries = res.file().entries();
    EXPECT_EQ(entries.size(), 11u);  // 7 data, 3 string blocks, 1 named

    struct Stored {
        std::uint16_t name;
        std::uint16_t language;
        std::string text;
        bool operator==(const Stored&) const = default;
    };
    std::vector<Stored> rcData;
    for (const auto& entry : entries) {
        EXPECT_FALSE(entry.type.isOrdinal() && entry.type.ordinal == 0) << "the marker is not an entry";
        if (entry.type == ResourceName::id(kTypeRcData))
            rcData.push_back({entry.name.ordinal, entry.language, text(&entry)});
    }
    const std::vector<Stored> expected = {
        {1, 0x0409, "en-US"}, {2, 0, "neutral"},      {3, 0x0407, "de-DE"}, {4, 0x0407, "de-DE"},
        {1, 0x0809, "en-GB"}, {2, 0x0809, "en-GB"}, {3, 0, "neutral"},
    };
    EXPECT_TRUE(rcData == expected);

    const auto* named = res.file().find(ResourceName::named("CUSTOM"), ResourceName::named("MYDATA"));
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->type.name, "CUSTOM");
    EXPECT_EQ(named->name.name, "MYDATA");
    // The data views point into the parsed bytes.
    EXPECT_GE(named->data.data(), res.bytes().data());
    EXPECT_LE(named->data.data() + named->data.size(), res.bytes().data() + res.bytes().size());
}

// A cut is a valid (shorter) file exactly where an entry's data ends or
// within the padding after it; everywhere else it must be refused.
TEST(ResourceFile, CutAnywhereButAtAnEntryBoundaryIsRefused)
{
    const FixtureRes res("identity.res");
    const std::uint8_t* base = res.bytes().data();
    std::set<std::size_t> boundaries = {32};  // after the marker entry
    for (const auto& entry : res.file().entries()) {
        const std::size_t end = static_cast<std::size_t>(entry.data.data() - base) + entry.data.size();
        for (std::size_t at = end; at <= ((end + 3) & ~std::size_t{3}); ++at)
            boundaries.insert(at);
    }
    for (std::size_t length = 0; length < res.bytes().size(); ++length) {
        const std::vector<std::uint8_t> cut(res.bytes().begin(), res.bytes().begin() + length);
        const auto parsed = ResourceFile::parse(cut);
        EXPECT_EQ(parsed.ok(), boundaries.count(length) == 1) << "cut to " << length << ": " << parsed.error();
    }
}

TEST(ResourceFile, RefusesMalformedFiles)
{
    const auto valid = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::named("DATA"), 1033, {1, 2, 3}}});
    ASSERT_TRUE(ResourceFile::parse(valid).ok()) << ResourceFile::parse(valid).error();
    // Offsets in the second entry: data size at 32, header size at 36, type at 40, name at 44.
    auto patched = [&](std::size_t at, std::uint32_t value) {
        ByteWriter w;
        w.bytes(valid);
        w.patchU32(at, value);
        return w.data();
    };
    auto noMarker = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::id(1), 1033, {7}}});
    noMarker.erase(noMarker.begin(), noMarker.begin() + 32);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;  // a part the message must contain
    };
    const Case cases[] = {
        {"empty data", {}, "empty"},
        {"no marker entry first", noMarker, "marker"},
        {"data size past the end", patched(32, 0xFFFFFFF0), "data size"},
        {"header size below its size fields", patched(36, 4), "header size"},
        {"header size too small for the names", patched(36, 12), "header size 12"},
        {"header size too small for the fixed fields", patched(36, 36), "header size 36"},
        {"header size past the end", patched(36, 0x10000), "runs past the end"},
        {"name without its terminator in the header", patched(36, 20), "NUL"},
        {"marker entry with data", patched(0, 4), "marker"},
    };
    for (const Case& c : cases) {
        const auto parsed = ResourceFile::parse(c.bytes);
        EXPECT_FALSE(parsed.ok()) << c.what;
        EXPECT_NE(parsed.error().find(c.message), std::string::npos)
            << c.what << ": message \"" << parsed.error() << "\"";
    }
}

TEST(ResourceFile, MessagesNameTheEntryAndOffset)
{
    auto bytes = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::id(1), 1033, {1, 2, 3, 4}},
                               {ResourceName::id(kTypeRcData), ResourceName::id(2), 1033, {5}}});
    bytes[36 + 36] = 0xFF;  // third entry (index 2) header size, far past the end
    const auto parsed = ResourceFile::parse(bytes);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().rfind("resource entry 2: header size at offset 0x48", 0), 0u) << parsed.error();
}

TEST(ResourceFile, AcceptsAMissingFinalPaddingAndSkipsExtraMarkers)
{
    auto bytes = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::id(1), 1033, {1, 2, 3}}});
    ASSERT_EQ(bytes.size() % 4, 0u);
    bytes.pop_back();  // the padding byte after the 3 data bytes
    const auto parsed = ResourceFile::parse(bytes);
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    ASSERT_EQ(parsed->entries().size(), 1u);
    EXPECT_EQ(parsed->entries()[0].data.size(), 3u);

    // Two files joined one after the other: the second marker is not an entry.
    auto joined = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::id(1), 1033, {9}}});
    const auto second = buildResFile({{ResourceName::id(kTypeRcData), ResourceName::id(2), 1033, {8}}});
    joined.insert(joined.end(), second.begin(), second.end());
    const auto both = ResourceFile::parse(joined);
    ASSERT_TRUE(both.ok()) << both.error();
    ASSERT_EQ(both->entries().size(), 2u);
    EXPECT_EQ(both->entries()[1].name, ResourceName::id(2));
}
