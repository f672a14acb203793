// The recorder window's template (102) and its channel list (DLGINIT 102).

#include "ProgramResources.h"

#include "platform/resources/DialogTemplate.h"
#include "platform/resources/DlgInit.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace resource_content {
namespace {

using resources::DialogTemplate;
using resources::kTypeDialog;
using resources::kTypeDlgInit;

DialogTemplate recorderTemplate() {
    auto parsed = resources::parseDialogTemplate(resourceData(kTypeDialog, IDD_RECORDER));
    if (!parsed) {
        ADD_FAILURE() << "template " << IDD_RECORDER << " does not parse: " << parsed.error();
        return {};
    }
    return parsed.value();
}

TEST(RecorderTemplate, HeaderIsTheFixedSizeModalWindow) {
    const DialogTemplate dialog = recorderTemplate();
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.style, 0x90C800C0u);
    EXPECT_EQ(dialog.exStyle, 0x00040000u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 320);
    EXPECT_EQ(dialog.cy, 313);
    EXPECT_TRUE(dialog.menu.isOrdinal());
    EXPECT_EQ(dialog.menu.ordinal, 0);
    EXPECT_TRUE(dialog.windowClass.isOrdinal());
    EXPECT_EQ(dialog.windowClass.ordinal, 0);
    EXPECT_EQ(dialog.title, "QUILVANE v2.03");
    EXPECT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_FALSE(dialog.italic);
    EXPECT_EQ(dialog.charset, 1);
    EXPECT_EQ(dialog.faceName, "MS Sans Serif");
}

struct ExpectedControl {
    int id;
    const char* windowClass;
    const char* text;
    int x, y, cx, cy;
    std::uint32_t style;
};

// Template order is stacking and tab order, so the rows must match in order.
constexpr ExpectedControl kRecorderControls[] = {
    {1, "Button", "Close", 131, 292, 50, 14, 0x50010001},
    {-1, "Static", "", 7, 7, 306, 160, 0x50000004},
    {-1, "Button", "Configuration", 7, 171, 146, 116, 0x50000007},
    {IDC_CHANNEL, "ComboBox", "", 78, 217, 71, 74, 0x58210102},
    {-1, "Static", "Channel:", 20, 220, 29, 8, 0x50020000},
    {IDC_SAMPLE_RATE, "Edit", "", 77, 233, 54, 14, 0x58810080},
    {-1, "Static", "Sample Rate:", 20, 236, 44, 8, 0x50020000},
    {-1, "Static", "Hardware Detected: None", 20, 200, 84, 8, 0x50020000},
    {IDC_RECORDING_TIME, "Edit", "", 77, 249, 54, 14, 0x58810080},
    {-1, "Static", "Recording Time:", 20, 252, 53, 8, 0x50020000},
    {-1, "Static", "ms", 135, 254, 10, 8, 0x50020000},
    {IDC_START_RECORDING, "Button", "Start Recording", 47, 266, 60, 14, 0x58010000},
    {-1, "Button", "Output", 155, 171, 158, 116, 0x50000007},
    {IDC_FORMAT_TEXT, "Button", "Text", 169, 213, 30, 10, 0x58000009},
    {IDC_FORMAT_CSV, "Button", "CSV (Excel)", 169, 233, 53, 10, 0x58000009},
    {IDC_FORMAT_MATLAB, "Button", "Matlab", 169, 243, 37, 10, 0x58000009},
    {-1, "Button", "File Format", 164, 201, 132, 55, 0x50000007},
    {IDC_FORMAT_BINARY, "Button", "Binary", 169, 223, 35, 10, 0x58000009},
    {IDC_FILE_NAME, "Edit", "", 200, 184, 78, 14, 0x58810080},
    {-1, "Static", "File Name:", 164, 186, 34, 8, 0x50020000},
    {IDC_SAVE_FILE, "Button", "Save File", 198, 266, 60, 14, 0x58010000},
    {-1, "Static", "kHz", 136, 238, 14, 8, 0x50020000},
    {IDC_DETECT_HARDWARE, "Button", "Detect Hardware", 19, 182, 60, 14, 0x50010000},
    {IDC_BROWSE_FILE, "Button", "...", 282, 184, 13, 14, 0x58010000},
};

TEST(RecorderTemplate, ControlsMatchTheLayoutTableInOrder) {
    const DialogTemplate dialog = recorderTemplate();
    ASSERT_EQ(dialog.items.size(), std::size(kRecorderControls));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const ExpectedControl& want = kRecorderControls[i];
        const resources::DialogItemTemplate& item = dialog.items[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " \"" + want.text + "\"");
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(className(item.windowClass), want.windowClass);
        EXPECT_EQ(item.text.ordinal, 0);
        EXPECT_EQ(item.text.name, want.text);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style, want.style) << std::hex << "stored 0x" << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_TRUE(item.creationData.empty());
    }
}

TEST(RecorderChannelList, HoldsChannels01To18ForTheChannelBox) {
    const auto data = resourceData(kTypeDlgInit, IDD_RECORDER);
    // 18 unaligned entries of 2 + 2 + 4 + 11 bytes, then the 16-bit end marker.
    EXPECT_EQ(data.size(), 18u * 19u + 2u);

    auto parsed = resources::parseDlgInit(data);
    ASSERT_TRUE(parsed) << parsed.error();
    const auto& entries = parsed.value();
    ASSERT_EQ(entries.size(), 18u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "Channel %02zu", i + 1);
        SCOPED_TRACE(expected);
        EXPECT_EQ(entries[i].controlId, IDC_CHANNEL);
        EXPECT_EQ(entries[i].message, resources::kDlgInitComboAddString);
        EXPECT_EQ(entries[i].data.size(), 11u);
        EXPECT_EQ(entries[i].text(), expected);
        ASSERT_FALSE(entries[i].data.empty());
        EXPECT_EQ(entries[i].data.back(), 0) << "the text carries its NUL";
    }
}

}  // namespace
}  // namespace resource_content
