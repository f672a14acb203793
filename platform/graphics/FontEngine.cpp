// The process's pango font map and context, and the text layout cache.
#include "platform/graphics/FontEngine.h"

#include "platform/graphics/Font.h"

#include <cstdlib>
#include <cstring>

namespace graphics::detail {

namespace {

constexpr double kDpi = 96.0;
// Laid-out strings kept per process before the cache starts afresh; a
// dialog shows a few dozen, so this only bounds pathological use.
constexpr std::size_t kMaxCachedLayouts = 2048;
// Tab stops lie every this many average character widths.
constexpr int kTabChars = 8;

}  // namespace

FontEngine& FontEngine::instance() {
    // Shared for the life of the process by design: the pango font map, its
    // contexts and the layout cache serve every window system the process
    // runs (a test program runs many), and loading fonts again for each would
    // cost a good part of a start. The engine is released at exit; fontconfig
    // keeps part of its configuration and caches until the process ends (see
    // the suppression at the end of this file).
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() {
    prepareFontEnvironment();

    // One font map of our own at 96 DPI: the process-wide default map would
    // follow the desktop's resolution.
    fontMap_ = pango_cairo_font_map_new();
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap_), kDpi);
    // Fixed options, never taken from a surface or the desktop, so text is
    // rendered the same on every bitmap and every machine: grey-scale
    // antialiasing, full hinting, and advances rounded to whole pixels.
    // Bold text is hinted lightly: full hinting of the bold face at this
    // size closes the gaps between narrow letters ("rn" reads as "m").
    context_ = makeContext(CAIRO_HINT_STYLE_FULL);
    boldContext_ = makeContext(CAIRO_HINT_STYLE_SLIGHT);
}

PangoContext* FontEngine::makeContext(cairo_hint_style_t hintStyle) {
    PangoContext* context = pango_font_map_create_context(fontMap_);
    pango_cairo_context_set_resolution(context, kDpi);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_font_options_set_hint_style(options, hintStyle);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, TRUE);
    pango_context_set_base_dir(context, PANGO_DIRECTION_LTR);
    pango_context_set_language(context, pango_language_from_string("en-us"));
    return context;
}

FontEngine::~FontEngine() {
    for (auto& entry : cache_) g_object_unref(entry.second.layout);
    g_object_unref(context_);
    g_object_unref(boldContext_);
    g_object_unref(fontMap_);
}

PangoContext* FontEngine::contextFor(const Font& font) const {
    return font.fontSpec().weight >= 600 ? boldContext_ : context_;
}

const LaidOutText& FontEngine::layout(const Font& font, const LayoutRequest& request) {
    const Font* fontPtr = &font;
    key_.clear();
    key_.append(reinterpret_cast<const char*>(&fontPtr), sizeof fontPtr);
    key_.append(reinterpret_cast<const char*>(&request.wrapWidth), sizeof request.wrapWidth);
    key_.push_back(static_cast<char>(request.alignment));
    key_.push_back(request.expandTabs ? 1 : 0);
    key_.append(request.text);
    if (auto found = cache_.find(key_); found != cache_.end()) return found->second;

    if (cache_.size() >= kMaxCachedLayouts) {
        for (auto& entry : cache_) g_object_unref(entry.second.layout);
        cache_.clear();
    }

    PangoLayout* layout = pango_layout_new(contextFor(font));
    pango_layout_set_font_description(layout, font.description());
    pango_layout_set_text(layout, request.text.data(), static_cast<int>(request.text.size()));
    if (request.wrapWidth >= 0) {
        pango_layout_set_width(layout, request.wrapWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    }
    pango_layout_set_alignment(layout, request.alignment);
    if (request.expandTabs) {
        const int step = kTabChars * font.averageCharWidth();
        PangoTabArray* tabs = pango_tab_array_new(1, TRUE);
        pango_tab_array_set_tab(tabs, 0, PANGO_TAB_LEFT, step > 0 ? step : 1);
        pango_layout_set_tabs(layout, tabs);
        pango_tab_array_free(tabs);
    }

    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    LaidOutText laid;
    laid.layout = layout;
    laid.width = logical.width;
    laid.height = logical.height;
    laid.baseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
    return cache_.emplace(key_, laid).first->second;
}

}  // namespace graphics::detail

namespace graphics {

void prepareFontEnvironment() {
    // FreeType's classic TrueType interpreter snaps stems to whole pixels in
    // both directions, which gives the crisp text of the classic look (the
    // newer one hints vertically only). FreeType reads this when cairo
    // creates its FreeType library, at the first font load.
    std::string properties;
    if (const char* given = std::getenv("FREETYPE_PROPERTIES")) properties = std::string(given) + " ";
    if (properties.find("interpreter-version") == std::string::npos) {
        properties += "truetype:interpreter-version=35";
        setenv("FREETYPE_PROPERTIES", properties.c_str(), 1);
    }
}

}  // namespace graphics

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps its configuration for the life of the process and frees
// part of it never, which LeakSanitizer reports at exit in every program
// that draws text. LeakSanitizer takes its default suppressions from this
// hook, so every sanitized program linking the graphics library gets it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
