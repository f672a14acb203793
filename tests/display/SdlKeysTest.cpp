// Translation of SDL key events into virtual keys, as a table.
#include "platform/base/VirtualKeys.h"
#include "platform/display/Backend.h"
#include "platform/display/sdl/SdlKeys.h"

#include <gtest/gtest.h>

namespace {

struct KeyRow {
    const char* name;
    SDL_Keycode sym;
    SDL_Scancode scancode;
    bool numLock;
    unsigned vk;
};

const KeyRow kKeys[] = {
    {"letter", SDLK_a, SDL_SCANCODE_A, false, 'A'},
    {"letter z", SDLK_z, SDL_SCANCODE_Z, false, 'Z'},
    // A letter follows the layout: the key at 'Q' typing 'a' is 'A'.
    {"letter on another layout", SDLK_a, SDL_SCANCODE_Q, false, 'A'},
    {"digit", SDLK_7, SDL_SCANCODE_7, false, '7'},
    {"digit zero", SDLK_0, SDL_SCANCODE_0, false, '0'},
    // The digit row stays digits where its unshifted symbols are not.
    {"digit row on a layout typing '&'", SDLK_AMPERSAND, SDL_SCANCODE_1, false, '1'},
    {"F1", SDLK_F1, SDL_SCANCODE_F1, false, VK_F1},
    {"F4", SDLK_F4, SDL_SCANCODE_F4, false, VK_F4},
    {"F12", SDLK_F12, SDL_SCANCODE_F12, false, VK_F12},
    {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, false, VK_TAB},
    {"Return", SDLK_RETURN, SDL_SCANCODE_RETURN, false, VK_RETURN},
    {"Escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, false, VK_ESCAPE},
    {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, false, VK_SPACE},
    {"Backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, false, VK_BACK},
    {"Left", SDLK_LEFT, SDL_SCANCODE_LEFT, false, VK_LEFT},
    {"Down", SDLK_DOWN, SDL_SCANCODE_DOWN, false, VK_DOWN},
    {"Home", SDLK_HOME, SDL_SCANCODE_HOME, false, VK_HOME},
    {"Page Down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, false, VK_NEXT},
    {"Insert", SDLK_INSERT, SDL_SCANCODE_INSERT, false, VK_INSERT},
    {"Delete", SDLK_DELETE, SDL_SCANCODE_DELETE, false, VK_DELETE},
    {"left Shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, false, VK_SHIFT},
    {"right Shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, false, VK_SHIFT},
    {"right Ctrl", SDLK_RCTRL, SDL_SCANCODE_RCTRL, false, VK_CONTROL},
    {"left Alt", SDLK_LALT, SDL_SCANCODE_LALT, false, VK_MENU},
    {"right Alt", SDLK_RALT, SDL_SCANCODE_RALT, false, VK_MENU},
    {"semicolon", SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, false, VK_OEM_1},
    {"comma", SDLK_COMMA, SDL_SCANCODE_COMMA, false, VK_OEM_COMMA},
    {"minus", SDLK_MINUS, SDL_SCANCODE_MINUS, false, VK_OEM_MINUS},
    {"slash", SDLK_SLASH, SDL_SCANCODE_SLASH, false, VK_OEM_2},
    {"apostrophe", SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, false, VK_OEM_7},
    // A punctuation symbol we do not know falls back to the key's position.
    {"unknown symbol on the ';' key", 0xE9 /* e acute */, SDL_SCANCODE_SEMICOLON, false, VK_OEM_1},
    {"keypad 7 with NumLock", SDLK_KP_7, SDL_SCANCODE_KP_7, true, VK_NUMPAD0 + 7},
    {"keypad 7 without NumLock", SDLK_KP_7, SDL_SCANCODE_KP_7, false, VK_HOME},
    {"keypad 0 without NumLock", SDLK_KP_0, SDL_SCANCODE_KP_0, false, VK_INSERT},
    {"keypad point with NumLock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, true, VK_DECIMAL},
    {"keypad point without NumLock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false, VK_DELETE},
    {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, false, VK_RETURN},
    {"keypad plus", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, true, VK_ADD},
    {"keypad divide", SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, false, VK_DIVIDE},
    {"key without a virtual key", SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, false, 0},
};

TEST(SdlKeys, TranslatesKeysToVirtualKeys) {
    for (const KeyRow& row : kKeys) {
        EXPECT_EQ(display::sdl::virtualKeyFor(row.sym, row.scancode, row.numLock), row.vk) << row.name;
    }
}

TEST(SdlKeys, TranslatesModifierStates) {
    struct Row {
        Uint16 sdl;
        unsigned expected;
    };
    const Row rows[] = {
        {KMOD_NONE, 0},
        {KMOD_LSHIFT, display::ModShift},
        {KMOD_RSHIFT, display::ModShift},
        {KMOD_RCTRL, display::ModCtrl},
        {KMOD_LALT, display::ModAlt},
        {static_cast<Uint16>(KMOD_LCTRL | KMOD_RALT | KMOD_LSHIFT), display::ModShift | display::ModCtrl | display::ModAlt},
        // Lock states are not modifiers.
        {static_cast<Uint16>(KMOD_NUM | KMOD_CAPS), 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(display::sdl::modifiersFor(row.sdl), row.expected) << "SDL modifiers 0x" << std::hex << row.sdl;
    }
}

}  // namespace
