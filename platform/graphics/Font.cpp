// Fonts: classic face names mapped to installed faces, sizes at 96 DPI,
// metrics and dialog base units.
#include "platform/graphics/Font.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>
#include <vector>

namespace graphics {

namespace {

constexpr const char* kSansFamilies = "Liberation Sans,Arimo,DejaVu Sans,Sans";
constexpr const char* kSerifFamilies = "Liberation Serif,Tinos,DejaVu Serif,Serif";
constexpr const char* kMonoFamilies = "Liberation Mono,Cousine,DejaVu Sans Mono,Monospace";

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The fontconfig family list for a face name of the classic platform.
std::string familiesFor(const std::string& face) {
    static const std::array<const char*, 7> sans = {"ms sans serif", "ms shell dlg", "ms shell dlg 2", "tahoma",
                                                    "microsoft sans serif", "arial", "helv"};
    static const std::array<const char*, 3> serif = {"times new roman", "ms serif", "tms rmn"};
    static const std::array<const char*, 4> mono = {"courier new", "courier", "fixedsys", "terminal"};
    const std::string name = lowered(face);
    auto in = [&](const auto& list) { return std::find(list.begin(), list.end(), name) != list.end(); };
    if (name.empty() || in(sans)) return kSansFamilies;
    if (in(serif)) return kSerifFamilies;
    if (in(mono)) return kMonoFamilies;
    // Any other name is tried as it is, with the sans faces behind it.
    return face + "," + kSansFamilies;
}

// The classic bitmap sans face and the names that stand for it.
bool isClassicBitmapFace(const std::string& face) {
    const std::string name = lowered(face);
    return name.empty() || name == "ms sans serif" || name == "ms shell dlg" || name == "helv";
}

PangoWeight pangoWeight(int weight) {
    if (weight <= 0) return PANGO_WEIGHT_NORMAL;
    return static_cast<PangoWeight>(std::clamp(weight, 100, 1000));
}

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

}  // namespace

Font::Font(const FontSpec& fontSpec) : spec_(fontSpec) {
    description_ = pango_font_description_new();
    pango_font_description_set_family(description_, familiesFor(fontSpec.face).c_str());
    // Points at 96 DPI: 8 pt is 10.667 pixels. The classic dialog face is a
    // bitmap face a little narrower than the Arial-metric faces that stand
    // in for it; at 63/64 of the size, Liberation Sans lays out its labels
    // in the widths their dialogs give them, with the same base units.
    const int points = fontSpec.pointSize > 0 ? fontSpec.pointSize : 8;
    const double scale = isClassicBitmapFace(fontSpec.face) ? 63.0 / 64.0 : 1.0;
    pango_font_description_set_absolute_size(description_, points * 96.0 / 72.0 * scale * PANGO_SCALE);
    pango_font_description_set_weight(description_, pangoWeight(fontSpec.weight));
    pango_font_description_set_style(description_, fontSpec.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    auto& engine = detail::FontEngine::instance();
    PangoFontMetrics* metrics = pango_context_get_metrics(engine.context(), description_, nullptr);
    ascent_ = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
    height_ = ascent_ + PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
    averageCharWidth_ = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(metrics));
    pango_font_metrics_unref(metrics);

    const detail::LaidOutText& alphabet = engine.layout(*this, {kAlphabet});
    baseUnits_ = {(alphabet.width / 26 + 1) / 2, height_};
}

Font::~Font() { pango_font_description_free(description_); }

std::shared_ptr<const Font> Font::get(const FontSpec& fontSpec) {
    // Fonts are shared for the life of the process, like the engine that
    // lays them out: a few font descriptions, each asked for by every dialog.
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const Font>> fonts;
    std::lock_guard lock(mutex);
    for (const auto& font : fonts)
        if (font->fontSpec() == fontSpec) return font;
    fonts.push_back(std::shared_ptr<const Font>(new Font(fontSpec)));
    return fonts.back();
}

const Font& messageFont() {
    static const std::shared_ptr<const Font> font = Font::get({"MS Sans Serif", 8, 0, false});
    return *font;
}

const Font& captionFont() {
    // The classic caption face; bold text needs the Arial-metric face at its full size.
    static const std::shared_ptr<const Font> font = Font::get({"Tahoma", 8, 700, false});
    return *font;
}

const Font& menuFont() { return messageFont(); }

bool fontsUsable(std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    auto& engine = detail::FontEngine::instance();
    const Font& font = messageFont();
    PangoFont* loaded = pango_font_map_load_font(engine.fontMap(), engine.context(), font.description());
    if (!loaded)
        return fail(std::string("no usable font: fontconfig offers no face for \"") + kSansFamilies +
                    "\" (install fonts-liberation)");
    g_object_unref(loaded);

    const detail::LaidOutText& sample = engine.layout(font, {"A"});
    if (sample.width <= 0 || font.height() <= 0 || pango_layout_get_unknown_glyphs_count(sample.layout) > 0)
        return fail(std::string("no usable font: the face found for \"") + kSansFamilies +
                    "\" has no glyph for \"A\" (install fonts-liberation)");
    return true;
}

void prepareFonts() {
    std::string printable;
    for (char c = ' '; c < 127; ++c) printable += c;
    // Large enough for every glyph to be drawn, not clipped away.
    Bitmap scratch(1024, 40);
    Canvas canvas(scratch, {0, 0}, {0, 0, 1024, 40});
    int top = 0;
    // The menu font is the message font: two faces to prepare.
    for (const Font* font : {&messageFont(), &captionFont()}) {
        RECT rect{0, top, 1024, top + 20};
        canvas.drawText(*font, printable, rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX, 0);
        top += 20;
    }
}

}  // namespace graphics
