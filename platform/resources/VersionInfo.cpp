#include "platform/resources/VersionInfo.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/Utf16.h"

#include <algorithm>

namespace resources {

namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;
constexpr std::size_t kBlockHeaderSize = 6;  // length, value length, type
constexpr std::uint16_t kTypeBinary = 0;
constexpr std::uint16_t kTypeText = 1;

std::size_t alignUp4(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

// One block of the tree: a key, a value and the children that follow it.
struct Block {
    std::size_t start = 0;
    std::size_t end = 0;            // start + its length
    std::size_t childrenBegin = 0;  // the first child, or end
    std::uint16_t type = kTypeBinary;
    std::string key;
    std::size_t valueStart = 0;
    std::span<const std::uint8_t> value;
};

// Reads the block at `start`, which must end by `limit` (its parent's end).
// The value's length counts UTF-16 units for text and bytes for binary data.
bool readBlock(const ByteReader& whole, std::size_t start, std::size_t limit, const std::string& structure,
               Block& block, std::string& message)
{
    ByteReader r = whole.limitedTo(limit, structure);
    r.seek(start, "start");
    std::uint16_t length = 0, valueLength = 0;
    if (!r.u16(length, "length")) {
        message = r.message();
        return false;
    }
    if (length < kBlockHeaderSize || length > limit - start) {
        r.fail(start, "length",
               std::to_string(length) + (length < kBlockHeaderSize
                                             ? " is smaller than a block header (6 bytes)"
                                             : " runs past the end of its parent at " + hexOffset(limit)));
        message = r.message();
        return false;
    }
    block.start = start;
    block.end = start + length;

    r = r.limitedTo(block.end, structure);
    if (!r.u16(valueLength, "value length") || !r.u16(block.type, "type") ||
        !r.utf16z(block.key, "key")) {
        message = r.message();
        return false;
    }
    if (block.type != kTypeBinary && block.type != kTypeText) {
        r.fail(start + 4, "type", std::to_string(block.type) + " is neither 0 (binary) nor 1 (text)");
        message = r.message();
        return false;
    }
    r.alignTo4();
    block.valueStart = r.offset();
    const std::size_t valueBytes = block.type == kTypeText ? std::size_t{valueLength} * 2 : valueLength;
    if (!r.bytes(valueBytes, block.value, "value")) {
        message = r.message();
        return false;
    }
    r.alignTo4();
    block.childrenBegin = r.offset();
    return true;
}

// Calls `visit(child)` for each child of `parent`, in stored order; stops at
// the first fault or when `visit` returns false.
template <class Visit>
bool forEachChild(const ByteReader& whole, const Block& parent, const std::string& childName,
                  std::string& message, Visit visit)
{
    std::size_t index = 0;
    for (std::size_t at = parent.childrenBegin; at < parent.end; ++index) {
        Block child;
        const std::string structure = childName + " " + std::to_string(index) + " of \"" + parent.key + "\"";
        if (!readBlock(whole, at, parent.end, structure, child, message) || !visit(child))
            return false;
        at = alignUp4(child.end);
    }
    return true;
}

std::string textValue(const Block& block)
{
    std::u16string units(block.value.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(block.value[2 * i] | (block.value[2 * i + 1] << 8));
    // The stored length may include the terminating NUL.
    units.erase(std::find(units.begin(), units.end(), u'\0'), units.end());
    return utf16ToUtf8(units);
}

bool readFixed(const Block& root, FixedFileInfo& fixed, std::string& message)
{
    if (root.value.size() != kFixedSize) {
        message = "version information: fixed part at offset " + hexOffset(root.valueStart) + ": is " +
                  std::to_string(root.value.size()) + " bytes, expected 52";
        return false;
    }
    ByteReader r(root.value, "version information fixed part");
    std::uint32_t* fields[] = {&fixed.signature,      &fixed.structVersion,    &fixed.fileVersionMS,
                               &fixed.fileVersionLS,  &fixed.productVersionMS, &fixed.productVersionLS,
                               &fixed.fileFlagsMask,  &fixed.fileFlags,        &fixed.fileOS,
                               &fixed.fileType,       &fixed.fileSubtype,      &fixed.fileDateMS,
                               &fixed.fileDateLS};
    for (std::uint32_t* field : fields)
        r.u32(*field, "field");  // cannot fail: the size was checked
    if (fixed.signature != kFixedSignature) {
        message = "version information: fixed part signature at offset " + hexOffset(root.valueStart) +
                  ": is " + hexOffset(fixed.signature) + ", expected 0xfeef04bd";
        return false;
    }
    return true;
}

}  // namespace

Result<VersionInfo> parseVersionInfo(std::span<const std::uint8_t> data)
{
    VersionInfo info;
    std::string message;
    const ByteReader whole(data, "version information");

    Block root;
    if (!readBlock(whole, 0, data.size(), "version information root", root, message))
        return ParseError{message};
    if (root.key != "VS_VERSION_INFO")
        return ParseError{"version information root: key \"" + root.key +
                          "\" at offset 0x6 is not \"VS_VERSION_INFO\""};
    if (!readFixed(root, info.fixed, message))
        return ParseError{message};

    const bool ok = forEachChild(whole, root, "block", message, [&](const Block& block) {
        if (block.key == "StringFileInfo") {
            info.blockOrder.push_back(block.key);
            return forEachChild(whole, block, "string table", message, [&](const Block& table) {
                VersionStringTable strings;
                strings.key = table.key;
                const bool tableOk = forEachChild(whole, table, "string", message, [&](const Block& s) {
                    strings.values.emplace_back(s.key, textValue(s));
                    return true;
                });
                info.stringTables.push_back(std::move(strings));
                return tableOk;
            });
        }
        if (block.key == "VarFileInfo") {
            info.blockOrder.push_back(block.key);
            return forEachChild(whole, block, "var", message, [&](const Block& var) {
                if (var.key != "Translation")
                    return true;
                if (var.value.size() % 4 != 0) {
                    message = "var \"Translation\" at offset " + hexOffset(var.start) + ": value of " +
                              std::to_string(var.value.size()) +
                              " bytes is not a list of (language, code page) pairs";
                    return false;
                }
                ByteReader pairs(var.value, "translation");
                while (!pairs.atEnd()) {
                    std::uint16_t language = 0, codePage = 0;
                    pairs.u16(language, "language");
                    pairs.u16(codePage, "code page");
                    info.translations.emplace_back(language, codePage);
                }
                return true;
            });
        }
        return true;  // other blocks carry nothing this program reads
    });
    if (!ok)
        return ParseError{message};
    return info;
}

}  // namespace resources
