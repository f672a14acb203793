// Version information: the fixed part, string tables and translations in
// stored order, and the nesting rules.
#include "ByteWriter.h"
#include "Fixtures.h"

#include "platform/resources/VersionInfo.h"

#include <gtest/gtest.h>

using namespace resources;
using namespace resources_test;

namespace {

// One block of a hand-built version resource.
struct Node {
    std::u16string key;
    std::uint16_t type = 0;         // 0 binary, 1 text
    std::uint16_t valueLength = 0;  // as stored: units for text, bytes for binary
    std::vector<std::uint8_t> value;
    std::vector<Node> children;
};

Node text(std::u16string key, std::u16string_view value, bool withNul = true)
{
    ByteWriter w;
    w.units(value);
    if (withNul)
        w.u16(0);
    return {std::move(key), 1, static_cast<std::uint16_t>(w.size() / 2), w.data(), {}};
}

Node binary(std::u16string key, std::vector<std::uint8_t> value, std::vector<Node> children = {})
{
    const auto length = static_cast<std::uint16_t>(value.size());
    return {std::move(key), 0, length, std::move(value), std::move(children)};
}

// Writes `node` at the (4-aligned) end of `w`; its length excludes the
// padding after it, as resource compilers write it.
void write(ByteWriter& w, const Node& node)
{
    const std::size_t start = w.size();
    w.u16(0).u16(node.valueLength).u16(node.type).text(node.key).pad4();
    w.bytes(node.value);
    for (const Node& child : node.children) {
        w.pad4();
        write(w, child);
    }
    w.patchU16(start, static_cast<std::uint16_t>(w.size() - start));
}

std::vector<std::uint8_t> fixedPart(std::uint32_t signature = 0xFEEF04BD)
{
    ByteWriter w;
    w.u32(signature).u32(0x10000).u32(0x00020003).u32(0x00040005).u32(0x00060007).u32(0x00080009);
    w.u32(0x3F).u32(0x1).u32(0x40004).u32(2).u32(3).u32(0x11).u32(0x22);
    return w.data();
}

std::vector<std::uint8_t> encode(const Node& root)
{
    ByteWriter w;
    write(w, root);
    return w.data();
}

Node root(std::vector<Node> children) { return binary(u"VS_VERSION_INFO", fixedPart(), std::move(children)); }

Node translation(std::vector<std::uint8_t> pairs) { return binary(u"Translation", std::move(pairs)); }

}  // namespace

TEST(VersionInfo, AllFieldsFromTheCompiler)
{
    const FixtureRes res("identity.res");
    const auto data = res.data(kTypeVersion, ResourceName::id(1));
    const auto parsed = parseVersionInfo(data);
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const FixedFileInfo& f = parsed->fixed;
    EXPECT_EQ(f.signature, 0xFEEF04BDu);
    EXPECT_EQ(f.structVersion, 0x10000u);
    EXPECT_EQ(f.fileVersionMS, 0x00010000u);
    EXPECT_EQ(f.fileVersionLS, 0x00000001u);
    EXPECT_EQ(f.productVersionMS, 0x00010000u);
    EXPECT_EQ(f.productVersionLS, 0x00000001u);
    EXPECT_EQ(f.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(f.fileFlags, 0u);
    EXPECT_EQ(f.fileOS, 0x4u);
    EXPECT_EQ(f.fileType, 0x1u);
    EXPECT_EQ(f.fileSubtype, 0u);
    EXPECT_EQ(f.fileDateMS, 0u);
    EXPECT_EQ(f.fileDateLS, 0u);

    EXPECT_EQ(parsed->blockOrder, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
    ASSERT_EQ(parsed->stringTables.size(), 1u);
    EXPECT_EQ(parsed->stringTables[0].key, "040904B0");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CompanyName", ""},
        {"FileDescription", "quilvane MFC Application"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "quilvane"},
        {"LegalCopyright", "Copyright (C) 2024 the quilvane authors"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "quilvane.EXE"},
        {"ProductName", "quilvane Application"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    EXPECT_EQ(parsed->stringTables[0].values, expected);
    EXPECT_EQ(parsed->translations, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0409, 0x04B0}}));

    expectEveryCutRefused(data, [](auto cut) { return parseVersionInfo(cut); });
}

TEST(VersionInfo, KeepsStoredOrderAndReadsEveryValueForm)
{
    const Node tree = root({
        binary(u"VarFileInfo", {}, {binary(u"Other", {1, 2}), translation({0x09, 0x04, 0xB0, 0x04, 0x07, 0x04, 0xE4, 0x04})}),
        binary(u"Unknown", {1, 2, 3}),
        binary(u"StringFileInfo", {}, {
            binary(u"040904B0", {}, {
                text(u"Zeta", u"last stored first"),
                text(u"Empty", u"", false),       // value length 0
                text(u"NoNul", u"abc", false),    // length without a NUL
                text(u"Accent", u"caf\u00e9"),
            }),
            binary(u"040704E4", {}, {text(u"A", u"b")}),
        }),
    });
    const auto parsed = parseVersionInfo(encode(tree));
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    EXPECT_EQ(parsed->fixed.fileVersionMS, 0x00020003u);
    EXPECT_EQ(parsed->fixed.fileDateLS, 0x22u);
    EXPECT_EQ(parsed->blockOrder, (std::vector<std::string>{"VarFileInfo", "StringFileInfo"}));
    EXPECT_EQ(parsed->translations,
              (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0409, 0x04B0}, {0x0407, 0x04E4}}));
    ASSERT_EQ(parsed->stringTables.size(), 2u);
    EXPECT_EQ(parsed->stringTables[0].values,
              (std::vector<std::pair<std::string, std::string>>{
                  {"Zeta", "last stored first"}, {"Empty", ""}, {"NoNul", "abc"}, {"Accent", "caf\xC3\xA9"}}));
    EXPECT_EQ(parsed->stringTables[1].key, "040704E4");
}

TEST(VersionInfo, RefusesBrokenTrees)
{
    auto withRoot = [](Node r) { return encode(r); };
    Node wrongKey = root({});
    wrongKey.key = u"VS_VERSIONINFO";
    Node shortFixed = root({});
    shortFixed.value.resize(48);
    shortFixed.valueLength = 48;
    Node badSignature = binary(u"VS_VERSION_INFO", fixedPart(0xFEEF04BC));
    Node badType = root({binary(u"StringFileInfo", {})});
    badType.children[0].type = 2;
    Node longValue = root({binary(u"StringFileInfo", {}, {binary(u"040904B0", {}, {text(u"Key", u"v")})})});
    longValue.children[0].children[0].children[0].valueLength = 40;

    auto childPastParent = encode(root({binary(u"StringFileInfo", {}, {binary(u"040904B0", {})})}));
    childPastParent[0x5C + 0x24] += 8;  // the string table's length (root 0x5c, block 0x24 in)
    auto tinyChild = encode(root({binary(u"VarFileInfo", {}, {translation({9, 4, 0xB0, 4})})}));
    tinyChild[0x5C + 0x20] = 4;  // the Translation block's length
    tinyChild[0x5C + 0x21] = 0;
    auto rootPastData = encode(root({}));
    rootPastData[0] += 4;
    auto openKey = encode(root({binary(u"StringFileInfo", {})}));
    openKey.resize(openKey.size() - 2);  // drops the key's NUL with the end of the block
    openKey[0x5C] -= 2;
    openKey[0] -= 2;

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"root key", withRoot(wrongKey), "\"VS_VERSIONINFO\" at offset 0x6 is not \"VS_VERSION_INFO\""},
        {"short fixed part", withRoot(shortFixed), "is 48 bytes, expected 52"},
        {"bad signature", withRoot(badSignature), "signature at offset 0x28: is 0xfeef04bc"},
        {"block type", withRoot(badType), "block 0 of \"VS_VERSION_INFO\": type at offset 0x60: 2"},
        {"value past its block", withRoot(longValue), "string 0 of \"040904B0\": value"},
        {"child past its parent", childPastParent, "string table 0 of \"StringFileInfo\": length at offset 0x80"},
        {"length below a header", tinyChild, "is smaller than a block header"},
        {"root past the data", rootPastData, "runs past the end of its parent"},
        {"key without its NUL", openKey, "key at offset 0x62: string has no NUL"},
        {"translation not in pairs", withRoot(root({binary(u"VarFileInfo", {}, {translation({9, 4, 0xB0, 4, 7, 4})})})),
         "not a list of (language, code page) pairs"},
        {"no data", {}, "version information root: length at offset 0x0"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseVersionInfo(c.bytes);
        EXPECT_FALSE(parsed.ok()) << c.what;
        EXPECT_NE(parsed.error().find(c.message), std::string::npos)
            << c.what << ": message \"" << parsed.error() << "\"";
    }
}
