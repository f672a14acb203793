// The About box template (100).

#include "ProgramResources.h"

#include "platform/resources/DialogTemplate.h"
#include "platform/resources/VersionInfo.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace resource_content {
namespace {

TEST(AboutTemplate, IsAClassicTemplateWithIconNameCopyrightAndOk) {
    auto parsed = resources::parseDialogTemplate(resourceData(resources::kTypeDialog, IDD_ABOUT_BOX));
    ASSERT_TRUE(parsed) << parsed.error();
    const resources::DialogTemplate& dialog = parsed.value();

    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 235);
    EXPECT_EQ(dialog.cy, 55);
    EXPECT_EQ(dialog.menu.ordinal, 0);
    EXPECT_TRUE(dialog.menu.name.empty());
    EXPECT_EQ(dialog.windowClass.ordinal, 0);
    EXPECT_TRUE(dialog.windowClass.name.empty());
    EXPECT_EQ(dialog.title, "About quilvane");
    EXPECT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.faceName, "MS Sans Serif");

    ASSERT_EQ(dialog.items.size(), 4u);
    for (const auto& item : dialog.items) EXPECT_EQ(item.exStyle, 0u);

    const auto& icon = dialog.items[0];
    EXPECT_EQ(icon.id, -1);
    EXPECT_EQ(className(icon.windowClass), "Static");
    EXPECT_TRUE(icon.text.isOrdinal());
    EXPECT_EQ(icon.text.ordinal, IDR_APP_ICON) << "the icon control names the icon by its id";
    EXPECT_EQ(icon.style, 0x50000003u);
    EXPECT_EQ((std::array<int, 4>{icon.x, icon.y, icon.cx, icon.cy}), (std::array<int, 4>{11, 17, 20, 20}));

    const auto& name = dialog.items[1];
    EXPECT_EQ(name.id, -1);
    EXPECT_EQ(className(name.windowClass), "Static");
    EXPECT_EQ(name.text.name, "quilvane Version 1.0");
    EXPECT_EQ(name.style, 0x50020080u);
    EXPECT_EQ((std::array<int, 4>{name.x, name.y, name.cx, name.cy}), (std::array<int, 4>{40, 10, 119, 8}));

    const auto& copyright = dialog.items[2];
    EXPECT_EQ(copyright.id, -1);
    EXPECT_EQ(className(copyright.windowClass), "Static");
    EXPECT_EQ(copyright.style, 0x50020000u);
    EXPECT_EQ((std::array<int, 4>{copyright.x, copyright.y, copyright.cx, copyright.cy}),
              (std::array<int, 4>{40, 25, 119, 8}));

    const auto& ok = dialog.items[3];
    EXPECT_EQ(ok.id, 1);
    EXPECT_EQ(className(ok.windowClass), "Button");
    EXPECT_EQ(ok.text.name, "OK");
    EXPECT_EQ(ok.style, 0x50030001u);
    EXPECT_EQ((std::array<int, 4>{ok.x, ok.y, ok.cx, ok.cy}), (std::array<int, 4>{178, 7, 50, 14}));

    // The box shows the same notice as the version information.
    auto version = resources::parseVersionInfo(resourceData(resources::kTypeVersion, 1));
    ASSERT_TRUE(version) << version.error();
    ASSERT_EQ(version->stringTables.size(), 1u);
    std::string legalCopyright;
    for (const auto& [key, value] : version->stringTables[0].values) {
        if (key == "LegalCopyright") legalCopyright = value;
    }
    EXPECT_FALSE(legalCopyright.empty());
    EXPECT_EQ(copyright.text.name, legalCopyright);
}

}  // namespace
}  // namespace resource_content
