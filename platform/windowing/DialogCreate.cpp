// Creating a dialog from a template: its window sized from the dialog
// units of its font, its controls in template order (which is also their
// stacking and tab order), WM_SETFONT, WM_INITDIALOG and the first focus.
#include "platform/windowing/Api.h"

#include "platform/graphics/Font.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/windowing/DialogData.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"
#include "platform/windowing/Objects.h"

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

using namespace windowing;

namespace windowing {

namespace {
// Multiplies and divides, rounding halves away from zero.
int mulDivRound(int value, int multiplier, int divisor) {
    long long product = static_cast<long long>(value) * multiplier;
    long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}
}  // namespace

int dialogUnitsToPixelsX(int units, SIZE baseUnits) { return mulDivRound(units, baseUnits.cx, 4); }
int dialogUnitsToPixelsY(int units, SIZE baseUnits) { return mulDivRound(units, baseUnits.cy, 8); }

DialogData* dialogData(HWND hwnd) { return extraOf<DialogData>(hwnd); }

bool isDialogWindow(const Window& w) { return dynamic_cast<const DialogData*>(w.extra.get()) != nullptr; }

}  // namespace windowing

namespace {

// A control's text: a string, or an ordinal (an icon's resource id) as
// "#128". Ordinal 0 never names a resource: it is the empty text.
std::string nameText(const resources::ResourceName& name) {
    if (name.isOrdinal() && name.ordinal != 0) return "#" + std::to_string(name.ordinal);
    return name.name;
}

std::string controlClassName(const resources::ResourceName& name) {
    if (name.isOrdinal()) return resources::predefinedClassName(name.ordinal);
    return name.name;
}

}  // namespace

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    DialogData* d = dialogData(dialog);
    if (!d || !rect) return FALSE;
    rect->left = dialogUnitsToPixelsX(rect->left, d->baseUnits);
    rect->right = dialogUnitsToPixelsX(rect->right, d->baseUnits);
    rect->top = dialogUnitsToPixelsY(rect->top, d->baseUnits);
    rect->bottom = dialogUnitsToPixelsY(rect->bottom, d->baseUnits);
    return TRUE;
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, const void* dialogTemplate, std::size_t size, HWND owner,
                                DLGPROC dialogProc, LPARAM initParam) {
    if (!dialogTemplate) return nullptr;
    if (owner && !live(owner)) return nullptr;
    auto parsed = resources::parseDialogTemplate(
        std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(dialogTemplate), size));
    if (!parsed.ok()) {
        std::fprintf(stderr, "dialog template refused: %s\n", parsed.error().c_str());
        return nullptr;
    }
    const resources::DialogTemplate& t = parsed.value();

    graphics::FontSpec fontSpec;
    if (t.hasFont) {
        fontSpec.face = t.faceName;
        fontSpec.pointSize = t.pointSize;
        fontSpec.weight = t.weight;
        fontSpec.italic = t.italic;
    }
    auto font = graphics::Font::get(fontSpec);
    SIZE base = font->baseUnits();

    DWORD style = t.style & ~WS_VISIBLE;
    DWORD exStyle = t.exStyle;
    if (t.style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    RECT rect{0, 0, dialogUnitsToPixelsX(t.cx, base), dialogUnitsToPixelsY(t.cy, base)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    POINT origin{dialogUnitsToPixelsX(t.x, base), dialogUnitsToPixelsY(t.y, base)};
    if (owner && !(t.style & DS_ABSALIGN)) ClientToScreen(owner, &origin);
    rect = rectOffset(rect, origin.x - rect.left, origin.y - rect.top);

    std::string className = kDialogClassName;
    if (!t.windowClass.isOrdinal() || t.windowClass.ordinal != 0) className = controlClassName(t.windowClass);

    HWND dialog = CreateWindowExA(exStyle, className.c_str(), t.title.c_str(), style, rect.left, rect.top,
                                  rectWidth(rect), rectHeight(rect), owner, nullptr, instance, nullptr);
    if (!dialog) {
        std::fprintf(stderr, "dialog window of class \"%s\" could not be created\n", className.c_str());
        return nullptr;
    }
    DialogData* data = dialogData(dialog);
    if (!data) {
        DestroyWindow(dialog);
        return nullptr;
    }
    data->dialogProc = dialogProc;
    data->baseUnits = base;
    auto fontObject = std::make_unique<FontObject>();
    fontObject->font = font;
    data->font = ws().fonts.add<HFONT>(std::move(fontObject));
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(data->font), FALSE);

    for (const resources::DialogItemTemplate& item : t.items) {
        std::string itemClass = controlClassName(item.windowClass);
        std::string text = nameText(item.text);
        HWND control = CreateWindowExA(item.exStyle, itemClass.c_str(), text.c_str(), item.style | WS_CHILD,
                                       dialogUnitsToPixelsX(item.x, base), dialogUnitsToPixelsY(item.y, base),
                                       dialogUnitsToPixelsX(item.cx, base), dialogUnitsToPixelsY(item.cy, base),
                                       dialog, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)),
                                       instance, nullptr);
        if (!control) {
            std::fprintf(stderr, "dialog control %d of class \"%s\" could not be created\n", item.id,
                         itemClass.c_str());
            DestroyWindow(dialog);
            return nullptr;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogData(dialog)->font), FALSE);
        if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) && live(dialog))
            dialogData(dialog)->defaultId = item.id;
    }

    HWND firstTab = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT focusDefault = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), initParam);
    if (!live(dialog)) return nullptr;
    if (focusDefault) {
        // The first enabled, visible tab stop as the initialisation left them.
        if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) SetFocus(first);
    }
    if (!live(dialog)) return nullptr;
    // A dialog ended during its initialisation is never shown.
    DialogData* after = dialogData(dialog);
    if ((t.style & WS_VISIBLE) && after && !after->modalEnded) ShowWindow(dialog, SW_SHOWNORMAL);
    return live(dialog) ? dialog : nullptr;
}
