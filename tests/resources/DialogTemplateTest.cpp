// Dialog templates, classic and extended: every field of the header and the
// items, the name-or-ordinal forms, alignment and refusals.
#include "ByteWriter.h"
#include "Fixtures.h"

#include "platform/resources/DialogTemplate.h"

#include <gtest/gtest.h>

using namespace resources;
using namespace resources_test;

namespace {

struct ItemExpectation {
    int id;
    std::uint32_t style, exStyle, helpId;
    std::int16_t x, y, cx, cy;
    ResourceName windowClass;
    ResourceName text;
};

void expectItems(const DialogTemplate& t, const std::vector<ItemExpectation>& expected)
{
    ASSERT_EQ(t.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        const DialogItemTemplate& item = t.items[i];
        const ItemExpectation& e = expected[i];
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.style, e.style);
        EXPECT_EQ(item.exStyle, e.exStyle);
        EXPECT_EQ(item.helpId, e.helpId);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
        EXPECT_EQ(item.windowClass, e.windowClass);
        EXPECT_EQ(item.windowClass.name, e.windowClass.name);  // as stored, not just equal ignoring case
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.text.name, e.text.name);
        EXPECT_TRUE(item.creationData.empty());
    }
}

ResourceName ord(std::uint16_t v) { return ResourceName::id(v); }
ResourceName str(const char* s) { return ResourceName::named(s); }

// A classic template with a menu name, a class ordinal, no font, and items
// whose odd-length texts make the next item need alignment padding.
ByteWriter handBuiltClassic()
{
    ByteWriter w;
    w.u32(0x80000000).u32(0x00000004).u16(2).i16(1).i16(2).i16(3).i16(4);
    w.text(u"MAINMENU").ordinal(32770).text(u"T");
    w.pad4();
    w.u32(0x50000000).u32(0).i16(5).i16(6).i16(7).i16(8).u16(7);
    w.ordinal(kClassButton).text(u"ab").u16(3).u8(1).u8(2).u8(3);
    w.pad4();
    w.u32(0x50000003).u32(0).i16(9).i16(10).i16(11).i16(12).u16(0xFFFF);
    w.text(u"MyClass").ordinal(200).u16(0);
    return w;
}

ByteWriter handBuiltExtended()
{
    ByteWriter w;
    w.u16(1).u16(0xFFFF).u32(5).u32(0x10).u32(0x80000000).u16(1).i16(0).i16(0).i16(10).i16(10);
    w.u16(0).u16(0).text(u"");  // no menu, default class, empty title, no font
    w.pad4();
    w.u32(9).u32(0).u32(0x50000000).i16(-1).i16(-2).i16(3).i16(4).u32(0xFFFFFFFF);
    w.ordinal(kClassStatic).u16(0).u16(2).u8(0xAA).u8(0xBB);
    return w;
}

}  // namespace

TEST(DialogTemplate, ClassicTemplateFromTheCompiler)
{
    const FixtureRes res("dialogs.res");
    const auto parsed = parseDialogTemplate(res.data(kTypeDialog, ResourceName::id(200)));
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const DialogTemplate& t = *parsed;
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, 0x80C000C0u);
    EXPECT_EQ(t.exStyle, 0x100u);
    EXPECT_EQ(t.helpId, 0u);
    EXPECT_EQ(t.x, 10);
    EXPECT_EQ(t.y, 20);
    EXPECT_EQ(t.cx, 200);
    EXPECT_EQ(t.cy, 100);
    EXPECT_EQ(t.menu, ord(0));
    EXPECT_EQ(t.windowClass.name, "FixtureClass");
    EXPECT_EQ(t.title, "Classic Fixture");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, "MS Sans Serif");
    expectItems(t, {
        {1, 0x50010001, 0, 0, 5, 6, 50, 14, ord(kClassButton), str("OK")},
        {-1, 0x50000003, 0, 0, 7, 8, 20, 20, ord(kClassStatic), ord(128)},
        {1002, 0x50010003, 0, 0, 1, 2, 3, 4, str("Button"), str("Check")},
        {1003, 0x50000000, 0x200, 0, -5, -6, 70, 8, str("FixtureControl"), str("Custom")},
        {1001, 0x50210102, 0, 0, 78, 217, 71, 74, ord(kClassComboBox), ord(0)},
    });
}

TEST(DialogTemplate, ExtendedTemplateFromTheCompiler)
{
    const FixtureRes res("dialogs.res");
    const auto parsed = parseDialogTemplate(res.data(kTypeDialog, ResourceName::id(201)));
    ASSERT_TRUE(parsed.ok()) << parsed.error();
    const DialogTemplate& t = *parsed;
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.helpId, 77u);
    EXPECT_EQ(t.style, 0x80C00040u);
    EXPECT_EQ(t.exStyle, 0x8u);
    EXPECT_EQ(t.x, 1);
    EXPECT_EQ(t.y, 2);
    EXPECT_EQ(t.cx, 300);
    EXPECT_EQ(t.cy, 150);
    EXPECT_EQ(t.menu, ord(0));
    EXPECT_EQ(t.windowClass, ord(0));
    EXPECT_EQ(t.title, "Extended Fixture");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 700);
    EXPECT_TRUE(t.italic);
    EXPECT_EQ(t.charset, 2);
    EXPECT_EQ(t.faceName, "Tahoma");
    expectItems(t, {
        {1004, 0x50000001, 0x20, 55, 11, 12, 13, 14, str("Static"), str("Hello")},
        {1005, 0x50000003, 0, 0, 5, 5, 21, 21, ord(kClassStatic), ord(128)},
        {1006, 0x50810080, 0x200, 0, 30, 40, 50, 12, ord(kClassEdit), ord(0)},
    });
}

TEST(DialogTemplate, MenuNamesCreationDataAndAlignment)
{
    const auto classic = parseDialogTemplate(handBuiltClassic().data());
    ASSERT_TRUE(classic.ok()) << classic.error();
    EXPECT_EQ(classic->menu.name, "MAINMENU");
    EXPECT_EQ(classic->windowClass, ord(32770));
    EXPECT_EQ(classic->title, "T");
    EXPECT_FALSE(classic->hasFont);
    EXPECT_TRUE(classic->faceName.empty());
    ASSERT_EQ(classic->items.size(), 2u);
    EXPECT_EQ(classic->items[0].text.name, "ab");
    EXPECT_EQ(classic->items[0].creationData, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(classic->items[1].id, -1);
    EXPECT_EQ(classic->items[1].x, 9);
    EXPECT_EQ(classic->items[1].windowClass.name, "MyClass");
    EXPECT_EQ(classic->items[1].text, ord(200));

    const auto extended = parseDialogTemplate(handBuiltExtended().data());
    ASSERT_TRUE(extended.ok()) << extended.error();
    EXPECT_TRUE(extended->extended);
    EXPECT_FALSE(extended->hasFont);
    EXPECT_EQ(extended->title, "");
    ASSERT_EQ(extended->items.size(), 1u);
    const DialogItemTemplate& item = extended->items[0];
    EXPECT_EQ(item.id, -1);
    EXPECT_EQ(item.helpId, 9u);
    EXPECT_EQ(item.x, -1);
    EXPECT_EQ(item.y, -2);
    EXPECT_EQ(item.text, ord(0));
    EXPECT_EQ(item.creationData, (std::vector<std::uint8_t>{0xAA, 0xBB}));
}

TEST(DialogTemplate, EveryCutIsRefused)
{
    const FixtureRes res("dialogs.res");
    const std::vector<std::vector<std::uint8_t>> templates = {
        {res.data(kTypeDialog, ResourceName::id(200)).begin(), res.data(kTypeDialog, ResourceName::id(200)).end()},
        {res.data(kTypeDialog, ResourceName::id(201)).begin(), res.data(kTypeDialog, ResourceName::id(201)).end()},
        handBuiltClassic().data(),
        handBuiltExtended().data(),
    };
    for (std::size_t i = 0; i < templates.size(); ++i) {
        SCOPED_TRACE("template " + std::to_string(i));
        ASSERT_TRUE(parseDialogTemplate(templates[i]).ok());
        expectEveryCutRefused(templates[i], [](auto data) { return parseDialogTemplate(data); });
    }
}

TEST(DialogTemplate, RefusesMalformedTemplates)
{
    ByteWriter bigCount = handBuiltClassic();
    bigCount.patchU16(8, 500);
    ByteWriter extendedCount = handBuiltExtended();
    extendedCount.patchU16(16, 0xFFFF);
    ByteWriter bigCreation = handBuiltClassic();
    bigCreation.patchU16(bigCreation.size() - 2, 0xFFFF);  // the last item's creation data size
    ByteWriter version2 = handBuiltExtended();
    version2.patchU16(0, 2);
    ByteWriter openTitle;
    openTitle.u32(0).u32(0).u16(0).i16(0).i16(0).i16(0).i16(0).u16(0).u16(0).units(u"Title");
    ByteWriter openFace;
    openFace.u32(0x40).u32(0).u16(0).i16(0).i16(0).i16(0).i16(0).u16(0).u16(0).text(u"").u16(8).units(u"Face");

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"more items than the data can hold", bigCount.data(), "item count at offset 0x8: 500 items"},
        {"extended item count too large", extendedCount.data(), "item count at offset 0x10"},
        {"creation data past the end", bigCreation.data(), "dialog template item 1: creation data"},
        {"unsupported extended version", version2.data(), "version 2"},
        {"title without its NUL", openTitle.data(), "title at offset 0x16: string has no NUL"},
        {"font face without its NUL", openFace.data(), "font face name"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseDialogTemplate(c.bytes);
        EXPECT_FALSE(parsed.ok()) << c.what;
        EXPECT_NE(parsed.error().find(c.message), std::string::npos)
            << c.what << ": message \"" << parsed.error() << "\"";
    }
}

TEST(DialogTemplate, PredefinedClassNames)
{
    const std::pair<std::uint16_t, const char*> cases[] = {
        {kClassButton, "Button"},      {kClassEdit, "Edit"},         {kClassStatic, "Static"},
        {kClassListBox, "ListBox"},    {kClassScrollBar, "ScrollBar"}, {kClassComboBox, "ComboBox"},
        {0x0086, ""},                  {0, ""},                       {0x7F, ""},
    };
    for (const auto& [ordinal, name] : cases)
        EXPECT_EQ(predefinedClassName(ordinal), name) << ordinal;
}
