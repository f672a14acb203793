// X11Presenter - shows the windowing layer's pixels in a window's X window
// with XPutImage, straight from the layer's own picture of the window.
//
// SDL's window surface would keep a second copy of every window's pixels
// (a shared-memory segment as large as the window, about 1 MB for the
// recorder window) only to be copied into and sent from; this keeps none.
// It also waits for no reply from the server, where SDL's surface update
// waits for one after every present.
#pragma once

#include "platform/display/Backend.h"

#include <SDL_video.h>

#include <memory>

typedef struct _XDisplay Display;
typedef struct _XGC* GC;

namespace display::sdl {

class X11Presenter {
public:
    // A presenter for `window`; null when it is not an X11 window or its
    // visual does not take cairo's RGB24 words as they are (24 bits, True-
    // or DirectColor, red 0xFF0000, green 0xFF00, blue 0xFF), in which case
    // the caller shows the pixels through SDL's window surface instead.
    static std::unique_ptr<X11Presenter> create(SDL_Window* window);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Shows the part `left, top, width, height` of `pixels` at the same
    // place in the window. The area must lie inside `pixels`.
    void put(const PixelView& pixels, int left, int top, int width, int height);

private:
    X11Presenter(Display* display, unsigned long window, GC gc) : display_(display), window_(window), gc_(gc) {}

    Display* display_;
    unsigned long window_;
    GC gc_;
};

}  // namespace display::sdl
