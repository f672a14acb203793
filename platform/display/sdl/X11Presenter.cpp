#include "platform/display/sdl/X11Presenter.h"

#include <SDL_endian.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace display::sdl {

std::unique_ptr<X11Presenter> X11Presenter::create(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    Display* display = info.info.x11.display;
    const Window xwindow = info.info.x11.window;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, xwindow, &attributes) || !attributes.visual) return nullptr;
    // SDL gives its windows a DirectColor visual where there is one (for
    // gamma ramps) with a linear colour map: pixel words show as they are,
    // as on a TrueColor visual.
    const Visual* visual = attributes.visual;
    const bool direct = visual->c_class == TrueColor || visual->c_class == DirectColor;
    if (attributes.depth != 24 || !direct || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
        return nullptr;
    }
    GC gc = XCreateGC(display, xwindow, 0, nullptr);
    if (!gc) return nullptr;
    return std::unique_ptr<X11Presenter>(new X11Presenter(display, xwindow, gc));
}

X11Presenter::~X11Presenter() { XFreeGC(display_, gc_); }

void X11Presenter::put(const PixelView& pixels, int left, int top, int width, int height) {
    // An image description of the caller's memory, in this machine's byte
    // order: Xlib converts when the server's differs. The words are never
    // copied here; XPutImage writes them to the connection before it returns.
    XImage image{};
    image.width = pixels.width;
    image.height = pixels.height;
    image.format = ZPixmap;
    image.data = const_cast<char*>(reinterpret_cast<const char*>(pixels.data));
    image.byte_order = SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = 24;
    image.bytes_per_line = pixels.stride;
    image.bits_per_pixel = 32;
    image.red_mask = 0xFF0000;
    image.green_mask = 0xFF00;
    image.blue_mask = 0xFF;
    if (!XInitImage(&image)) return;
    XPutImage(display_, window_, gc_, &image, left, top, left, top, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFlush(display_);
}

}  // namespace display::sdl
