// Fuzzes parseDialogTemplate.
#include "FuzzChecks.h"

#include "platform/resources/DialogTemplate.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parsed = resources::parseDialogTemplate({data, size});
    if (!parsed)
        return 0;
    const resources::DialogTemplate& t = *parsed;
    fuzz::check(fuzz::isValidUtf8(t.title) && fuzz::isValidUtf8(t.faceName) && fuzz::isValidUtf8(t.menu.name) &&
                    fuzz::isValidUtf8(t.windowClass.name),
                "template text is UTF-8");
    fuzz::check(t.hasFont == ((t.style & 0x40) != 0), "the font follows DS_SETFONT");
    for (const resources::DialogItemTemplate& item : t.items) {
        fuzz::check(fuzz::isValidUtf8(item.text.name) && fuzz::isValidUtf8(item.windowClass.name), "item text is UTF-8");
        fuzz::check(item.creationData.size() <= size, "creation data comes from the input");
        if (item.windowClass.isOrdinal())
            (void)resources::predefinedClassName(item.windowClass.ordinal);
    }
    return 0;
}
