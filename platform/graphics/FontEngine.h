// graphics::detail::FontEngine - the one pango font map and context of the
// process, with the fixed rendering options that make text identical on
// every surface, and a cache of laid-out text per font.
//
// Internal to the graphics library: Font and Canvas use it, nothing else.
#pragma once

#include <pango/pangocairo.h>

#include <string>
#include <string_view>
#include <unordered_map>

namespace graphics {
class Font;
}

namespace graphics::detail {

// A laid-out piece of text, owned by the cache; sizes in pixels.
struct LaidOutText {
    PangoLayout* layout = nullptr;
    int width = 0;     // logical width (widest line)
    int height = 0;    // logical height (all lines)
    int baseline = 0;  // first line's baseline below the top
};

struct LayoutRequest {
    std::string_view text;      // UTF-8, already free of prefix characters
    int wrapWidth = -1;         // pixels, or -1 for no word wrapping
    PangoAlignment alignment = PANGO_ALIGN_LEFT;
    bool expandTabs = false;
};

class FontEngine {
public:
    static FontEngine& instance();

    PangoFontMap* fontMap() const { return fontMap_; }
    PangoContext* context() const { return context_; }
    // The context a font's text is laid out and rendered in.
    PangoContext* contextFor(const Font& font) const;

    // The layout of `request` in `font`, from the cache when it was laid
    // out before. The result stays valid until the next call.
    const LaidOutText& layout(const Font& font, const LayoutRequest& request);

    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

private:
    FontEngine();
    ~FontEngine();

    PangoFontMap* fontMap_ = nullptr;
    PangoContext* makeContext(cairo_hint_style_t hintStyle);

    PangoContext* context_ = nullptr;      // regular text, fully hinted
    PangoContext* boldContext_ = nullptr;  // bold text, lightly hinted
    std::unordered_map<std::string, LaidOutText> cache_;
    std::string key_;  // reused buffer for cache keys
};

}  // namespace graphics::detail
