// resources::DialogTemplate - a classic (DLGTEMPLATE) or extended
// (DLGTEMPLATEEX) dialog template and its items, parsed from resource data.
#pragma once

#include "platform/resources/ResourceFile.h"
#include "platform/resources/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace resources {

// Ordinals of the predefined control classes in a template.
constexpr std::uint16_t kClassButton = 0x0080;
constexpr std::uint16_t kClassEdit = 0x0081;
constexpr std::uint16_t kClassStatic = 0x0082;
constexpr std::uint16_t kClassListBox = 0x0083;
constexpr std::uint16_t kClassScrollBar = 0x0084;
constexpr std::uint16_t kClassComboBox = 0x0085;

struct DialogItemTemplate {
    std::uint32_t helpId = 0;  // extended templates only
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;                // -1 for "no identifier" in both forms
    ResourceName windowClass;  // an ordinal above or a class name
    ResourceName text;         // the text, or an ordinal (an icon's resource id)
    std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0;  // extended templates only
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResourceName menu;         // ordinal 0 and no name: none
    ResourceName windowClass;  // ordinal 0 and no name: the default dialog class
    std::string title;
    bool hasFont = false;      // DS_SETFONT (0x40): the font fields are present
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;  // extended only
    bool italic = false;       // extended only
    std::uint8_t charset = 0;  // extended only
    std::string faceName;
    std::vector<DialogItemTemplate> items;
};

// Refuses data that ends before the template or any item is complete, an
// item count that the data cannot hold, unterminated strings, and
// creation data running past the end.
Result<DialogTemplate> parseDialogTemplate(std::span<const std::uint8_t> data);

// The class name of a predefined class ordinal ("Button", "Edit", "Static",
// "ListBox", "ScrollBar", "ComboBox"); empty for any other ordinal.
std::string predefinedClassName(std::uint16_t ordinal);

}  // namespace resources
