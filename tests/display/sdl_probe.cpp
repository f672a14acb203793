// sdl_probe - a tiny program on the SDL display backend for the display
// tests. It opens a main window (and optionally an owned dialog), shows a
// known pattern and icons, and prints one line per event it receives:
//
//   ready main=<id> [dialog=<id>]
//   KeyDown vk=<hex> mods=<n> repeat=<0|1> surface=<id>
//   ButtonDown button=<left|right|middle> x=<screen x> y=<screen y> surface=<id>
//   ...
//
// Keys without modifiers also act, after the event line:
//   Escape destroys the windows, prints "bye" and exits 0;
//   H hides the dialog and prints "hidden dialog";
//   M moves the main window 40 right and 30 down and prints "moved main";
//   S makes it 40 wider and 30 taller, presents the pattern at that size and
//   prints "resized main".
// --popup l,t,r,b also opens a popup menu surface owned by the main window.
// --no-window opens no window at all and only waits for events (an idle
// program between windows).
// --monitors prints "monitor bounds=l,t,r,b work=l,t,r,b" lines and exits 0.
// Without a display it prints the backend's message to stderr and exits 1.
#include "platform/base/VirtualKeys.h"
#include "platform/display/sdl/SdlBackend.h"
#include "tests/display/ProbePattern.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string title = "Probe Window";
    RECT rect{100, 80, 420, 320};
    std::optional<RECT> dialog;
    std::optional<RECT> popup;
    bool monitors = false;
    bool noWindow = false;
};

bool parseRect(const char* text, RECT& rect) {
    return std::sscanf(text, "%d,%d,%d,%d", &rect.left, &rect.top, &rect.right, &rect.bottom) == 4;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--monitors") {
            options.monitors = true;
        } else if (arg == "--no-window") {
            options.noWindow = true;
        } else if (arg == "--title" && hasValue) {
            options.title = argv[++i];
        } else if (arg == "--rect" && hasValue) {
            if (!parseRect(argv[++i], options.rect)) return false;
        } else if ((arg == "--dialog" || arg == "--popup") && hasValue) {
            RECT rect;
            if (!parseRect(argv[++i], rect)) return false;
            (arg == "--dialog" ? options.dialog : options.popup) = rect;
        } else {
            return false;
        }
    }
    return true;
}

const char* eventName(display::EventType type) {
    using display::EventType;
    switch (type) {
    case EventType::KeyDown: return "KeyDown";
    case EventType::KeyUp: return "KeyUp";
    case EventType::MouseMove: return "MouseMove";
    case EventType::ButtonDown: return "ButtonDown";
    case EventType::ButtonUp: return "ButtonUp";
    case EventType::CloseRequested: return "CloseRequested";
    case EventType::Exposed: return "Exposed";
    case EventType::FocusGained: return "FocusGained";
    case EventType::FocusLost: return "FocusLost";
    case EventType::Moved: return "Moved";
    case EventType::Minimized: return "Minimized";
    case EventType::Restored: return "Restored";
    }
    return "?";
}

const char* buttonName(display::MouseButton button) {
    switch (button) {
    case display::MouseButton::Left: return "left";
    case display::MouseButton::Right: return "right";
    case display::MouseButton::Middle: return "middle";
    }
    return "?";
}

void printEvent(const display::Event& event) {
    using display::EventType;
    switch (event.type) {
    case EventType::KeyDown:
    case EventType::KeyUp:
        std::printf("%s vk=0x%02X mods=%u repeat=%d surface=%u\n", eventName(event.type), event.vk, event.modifiers,
                    event.repeat ? 1 : 0, event.surface);
        break;
    case EventType::ButtonDown:
    case EventType::ButtonUp:
        std::printf("%s button=%s x=%d y=%d surface=%u\n", eventName(event.type), buttonName(event.button),
                    event.point.x, event.point.y, event.surface);
        break;
    case EventType::MouseMove:
    case EventType::Moved:
        std::printf("%s x=%d y=%d surface=%u\n", eventName(event.type), event.point.x, event.point.y, event.surface);
        break;
    default: std::printf("%s surface=%u\n", eventName(event.type), event.surface); break;
    }
    std::fflush(stdout);
}

// Presents the pattern for a window of the rectangle's size.
void presentPattern(display::Backend& backend, display::SurfaceId id, const RECT& rect) {
    const int width = rectWidth(rect);
    const int height = rectHeight(rect);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = probe::patternPixel(x, y);
    }
    backend.present(id, {pixels.data(), width, height, width * 4}, RECT{0, 0, width, height});
}

std::vector<display::IconPixels> probeIcons() {
    std::vector<display::IconPixels> icons;
    for (int size : probe::kIconSizes) {
        display::IconPixels icon{size, size, {}};
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) icon.argb.push_back(probe::iconPixel(size, x, y));
        }
        icons.push_back(std::move(icon));
    }
    return icons;
}

void printRect(const char* label, const RECT& r) { std::printf(" %s=%d,%d,%d,%d", label, r.left, r.top, r.right, r.bottom); }

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: sdl_probe [--monitors | --no-window] [--title T] [--rect l,t,r,b] [--dialog l,t,r,b] [--popup l,t,r,b]\n");
        return 2;
    }
    std::string error;
    std::unique_ptr<display::Backend> backend = display::createSdlBackend("sdl_probe", &error);
    if (!backend) {
        std::fprintf(stderr, "sdl_probe: %s\n", error.c_str());
        return 1;
    }
    if (options.monitors) {
        for (const display::Monitor& monitor : backend->monitors()) {
            std::printf("monitor");
            printRect("bounds", monitor.bounds);
            printRect("work", monitor.workArea);
            std::printf("\n");
        }
        return 0;
    }

    display::Event event;
    if (options.noWindow) {
        std::printf("ready\n");
        std::fflush(stdout);
        while (backend->nextEvent(event, true)) printEvent(event);
        std::fprintf(stderr, "sdl_probe: the event wait failed\n");
        return 1;
    }

    display::SurfaceSpec mainSpec;
    mainSpec.rect = options.rect;
    mainSpec.title = options.title;
    const display::SurfaceId mainId = backend->createSurface(mainSpec);
    if (!mainId) return 1;
    backend->setIcons(mainId, probeIcons());
    // Presented while hidden, as a program may: the backend keeps no copy,
    // so the window shows it once the probe presents again on Exposed.
    presentPattern(*backend, mainId, options.rect);
    backend->showSurface(mainId);

    display::SurfaceId dialogId = 0;
    if (options.dialog) {
        display::SurfaceSpec dialogSpec;
        dialogSpec.kind = display::SurfaceKind::Dialog;
        dialogSpec.rect = *options.dialog;
        dialogSpec.title = options.title + " Dialog";
        dialogSpec.owner = mainId;
        dialogId = backend->createSurface(dialogSpec);
        if (!dialogId) return 1;
        presentPattern(*backend, dialogId, *options.dialog);
        backend->showSurface(dialogId);
    }
    display::SurfaceId popupId = 0;
    if (options.popup) {
        display::SurfaceSpec popupSpec;
        popupSpec.kind = display::SurfaceKind::PopupMenu;
        popupSpec.rect = *options.popup;
        popupSpec.title = options.title + " Popup";
        popupSpec.owner = mainId;
        popupId = backend->createSurface(popupSpec);
        if (!popupId) return 1;
        presentPattern(*backend, popupId, *options.popup);
        backend->showSurface(popupId);
    }
    std::printf("ready main=%u", mainId);
    if (dialogId) std::printf(" dialog=%u", dialogId);
    if (popupId) std::printf(" popup=%u", popupId);
    std::printf("\n");
    std::fflush(stdout);

    // Where each surface is now, for presenting its pattern again.
    std::map<display::SurfaceId, RECT> rects{{mainId, options.rect}};
    if (dialogId) rects[dialogId] = *options.dialog;
    if (popupId) rects[popupId] = *options.popup;
    while (backend->nextEvent(event, true)) {
        printEvent(event);
        if (event.type == display::EventType::Exposed && rects.count(event.surface)) {
            presentPattern(*backend, event.surface, rects[event.surface]);
            continue;
        }
        if (event.type != display::EventType::KeyDown || event.modifiers != 0) continue;
        if (event.vk == VK_ESCAPE) {
            for (display::SurfaceId id : {popupId, dialogId, mainId}) {
                if (id) backend->destroySurface(id);
            }
            std::printf("bye\n");
            return 0;
        }
        if (event.vk == 'H' && dialogId) {
            backend->hideSurface(dialogId);
            std::printf("hidden dialog\n");
        } else if (event.vk == 'M') {
            backend->moveSurface(mainId, {options.rect.left + 40, options.rect.top + 30});
            std::printf("moved main\n");
        } else if (event.vk == 'S') {
            RECT& main = rects[mainId];
            main.right += 40;
            main.bottom += 30;
            backend->resizeSurface(mainId, rectWidth(main), rectHeight(main));
            presentPattern(*backend, mainId, main);
            std::printf("resized main\n");
        }
        std::fflush(stdout);
    }
    std::fprintf(stderr, "sdl_probe: the event wait failed\n");
    return 1;
}
