#include "platform/resources/DialogTemplate.h"

#include "platform/resources/ByteReader.h"

namespace resources {

namespace {

constexpr std::uint32_t kStyleSetFont = 0x40;  // DS_SETFONT: the font fields follow the title
constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kExtendedVersion = 1;

// The smallest item: the fixed fields, a one-word class and text, and the
// creation data size word.
constexpr std::size_t kMinClassicItem = 18 + 2 + 2 + 2;
constexpr std::size_t kMinExtendedItem = 24 + 2 + 2 + 2;

bool readGeometry(ByteReader& r, std::int16_t& x, std::int16_t& y, std::int16_t& cx, std::int16_t& cy)
{
    return r.i16(x, "x") && r.i16(y, "y") && r.i16(cx, "width") && r.i16(cy, "height");
}

bool readItemTail(ByteReader& r, DialogItemTemplate& item)
{
    std::uint16_t extra = 0;
    std::span<const std::uint8_t> data;
    if (!r.nameOrOrdinal(item.windowClass, "class") || !r.nameOrOrdinal(item.text, "text") ||
        !r.u16(extra, "creation data size") || !r.bytes(extra, data, "creation data"))
        return false;
    item.creationData.assign(data.begin(), data.end());
    return true;
}

bool readClassicItem(ByteReader& r, DialogItemTemplate& item)
{
    std::uint16_t id = 0;
    if (!r.u32(item.style, "style") || !r.u32(item.exStyle, "extended style") ||
        !readGeometry(r, item.x, item.y, item.cx, item.cy) || !r.u16(id, "id"))
        return false;
    item.id = id == 0xFFFF ? -1 : id;
    return readItemTail(r, item);
}

bool readExtendedItem(ByteReader& r, DialogItemTemplate& item)
{
    std::int32_t id = 0;
    if (!r.u32(item.helpId, "help id") || !r.u32(item.exStyle, "extended style") ||
        !r.u32(item.style, "style") || !readGeometry(r, item.x, item.y, item.cx, item.cy) ||
        !r.i32(id, "id"))
        return false;
    item.id = id;  // 0xFFFFFFFF reads as -1
    return readItemTail(r, item);
}

bool readHeader(ByteReader& r, DialogTemplate& t, std::uint16_t& itemCount)
{
    if (t.extended) {
        if (!r.skip(4, "version and signature") || !r.u32(t.helpId, "help id") ||
            !r.u32(t.exStyle, "extended style") || !r.u32(t.style, "style"))
            return false;
    } else {
        if (!r.u32(t.style, "style") || !r.u32(t.exStyle, "extended style"))
            return false;
    }
    if (!r.u16(itemCount, "item count") || !readGeometry(r, t.x, t.y, t.cx, t.cy) ||
        !r.nameOrOrdinal(t.menu, "menu") || !r.nameOrOrdinal(t.windowClass, "class") ||
        !r.utf16z(t.title, "title"))
        return false;

    t.hasFont = (t.style & kStyleSetFont) != 0;
    if (!t.hasFont)
        return true;
    if (!r.u16(t.pointSize, "font point size"))
        return false;
    if (t.extended) {
        std::uint8_t italic = 0;
        if (!r.u16(t.weight, "font weight") || !r.u8(italic, "font italic") ||
            !r.u8(t.charset, "font character set"))
            return false;
        t.italic = italic != 0;
    }
    return r.utf16z(t.faceName, "font face name");
}

}  // namespace

Result<DialogTemplate> parseDialogTemplate(std::span<const std::uint8_t> data)
{
    DialogTemplate t;
    ByteReader r(data, "dialog template");

    // An extended template starts with version 1 and the signature 0xFFFF.
    std::uint16_t version = 0, signature = 0;
    if (!r.u16(version, "version or style") || !r.u16(signature, "signature or style"))
        return r.error();
    t.extended = signature == kExtendedSignature;
    if (t.extended && version != kExtendedVersion) {
        r.fail(0, "version", "extended template version " + std::to_string(version) +
                                 " is not supported (expected 1)");
        return r.error();
    }
    r.seek(0, "start");

    std::uint16_t itemCount = 0;
    if (!readHeader(r, t, itemCount))
        return r.error();

    const std::size_t minItem = t.extended ? kMinExtendedItem : kMinClassicItem;
    if (itemCount > r.remaining() / minItem) {
        r.fail(t.extended ? 16 : 8, "item count",
               std::to_string(itemCount) + " items cannot fit in the " +
                   std::to_string(r.remaining()) + " bytes after the header");
        return r.error();
    }

    t.items.resize(itemCount);
    for (std::size_t i = 0; i < itemCount; ++i) {
        r.setStructure("dialog template item " + std::to_string(i));
        r.alignTo4();  // each item starts on a 4-byte boundary of the template
        const bool ok = t.extended ? readExtendedItem(r, t.items[i]) : readClassicItem(r, t.items[i]);
        if (!ok)
            return r.error();
    }
    return t;
}

std::string predefinedClassName(std::uint16_t ordinal)
{
    switch (ordinal) {
    case kClassButton: return "Button";
    case kClassEdit: return "Edit";
    case kClassStatic: return "Static";
    case kClassListBox: return "ListBox";
    case kClassScrollBar: return "ScrollBar";
    case kClassComboBox: return "ComboBox";
    default: return {};
    }
}

}  // namespace resources
