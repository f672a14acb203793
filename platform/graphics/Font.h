// graphics::Font - a text face at a size, resolved through fontconfig and
// pango at 96 DPI. Classic face names ("MS Sans Serif", "MS Shell Dlg",
// "Tahoma", "Microsoft Sans Serif", "Arial") map to an installed sans face,
// Liberation Sans preferred, so the dialog font's metrics come from a real
// font on every machine.
#pragma once

#include "platform/base/WinTypes.h"

#include <memory>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace graphics {

struct FontSpec {
    std::string face = "MS Sans Serif";
    int pointSize = 8;
    int weight = 0;  // 0 or 400 normal, 700 bold
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Font {
public:
    // Returns the font for `fontSpec`; fonts are cached and shared for the life
    // of the process (pango keeps its font map for the process too).
    static std::shared_ptr<const Font> get(const FontSpec& fontSpec);

    const FontSpec& fontSpec() const { return spec_; }
    int height() const { return height_; }   // ascent + descent in pixels
    int ascent() const { return ascent_; }
    // Dialog base units of this font: horizontal is the average width of
    // "A".."Z" and "a".."z" (rounded as (width / 26 + 1) / 2), vertical is
    // height().
    SIZE baseUnits() const { return baseUnits_; }
    // Average character width in pixels (the font's own figure, used for
    // tab stops).
    int averageCharWidth() const { return averageCharWidth_; }
    PangoFontDescription* description() const { return description_; }

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

private:
    explicit Font(const FontSpec& fontSpec);
    FontSpec spec_;
    PangoFontDescription* description_ = nullptr;
    int height_ = 0;
    int ascent_ = 0;
    SIZE baseUnits_{};
    int averageCharWidth_ = 0;
};

// The system fonts of the classic look: dialog/message font (8 pt sans),
// caption font (8 pt bold), menu font (8 pt).
const Font& messageFont();
const Font& captionFont();
const Font& menuFont();

// True when fontconfig and pango can give a face with real glyphs; otherwise
// false with a message naming what is missing (a start-up fault).
bool fontsUsable(std::string* error);

// Sets the environment variables the font libraries read (FreeType's
// interpreter). The graphics layer does it before it first loads a font; a
// program that starts threads does it before them, since changing the
// environment while another thread reads it is a data race.
void prepareFontEnvironment();

// Loads the system fonts and draws every printable ASCII character of each
// once off screen, so that the first frame finds its glyphs ready. Finding
// and rasterising fonts is a good part of a start; a program can do it on a
// second thread while it connects to its display (nothing else may use the
// graphics layer meanwhile).
void prepareFonts();

}  // namespace graphics
