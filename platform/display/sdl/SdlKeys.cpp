// Letters and punctuation follow the key symbol of the active layout (the
// classic platform names a letter key after the letter it types); keys that
// type no character, the digit row and the keypad follow the physical key.
#include "platform/display/sdl/SdlKeys.h"

#include "platform/base/VirtualKeys.h"
#include "platform/display/Backend.h"

namespace display::sdl {
namespace {

// Keypad 5 without NumLock; not among the shared constants because nothing
// but this translation needs it.
constexpr unsigned kVkClear = 0x0C;

unsigned keypadKey(SDL_Scancode scancode, bool numLock) {
    // Keypad digits and the decimal point become cursor keys without NumLock.
    struct KeypadKey {
        SDL_Scancode scancode;
        unsigned withNumLock;
        unsigned withoutNumLock;
    };
    static constexpr KeypadKey keys[] = {
        {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, VK_INSERT},
        {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END},
        {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN},
        {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
        {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT},
        {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, kVkClear},
        {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},
        {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME},
        {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP},
        {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
        {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
    };
    for (const KeypadKey& key : keys) {
        if (key.scancode == scancode) return numLock ? key.withNumLock : key.withoutNumLock;
    }
    switch (scancode) {
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    default: return 0;
    }
}

unsigned physicalKey(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return VK_F1 + static_cast<unsigned>(scancode - SDL_SCANCODE_F1);
    }
    // SDL orders the digit row 1..9, 0.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + static_cast<unsigned>(scancode - SDL_SCANCODE_1);
    }
    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    // Punctuation keys where the layout's symbol is not one of ours.
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    default: return 0;
    }
}

unsigned symbolKey(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + static_cast<unsigned>(sym - SDLK_a);
    switch (sym) {
    case SDLK_SEMICOLON:
    case SDLK_COLON: return VK_OEM_1;
    case SDLK_EQUALS:
    case SDLK_PLUS: return VK_OEM_PLUS;
    case SDLK_COMMA:
    case SDLK_LESS: return VK_OEM_COMMA;
    case SDLK_MINUS:
    case SDLK_UNDERSCORE: return VK_OEM_MINUS;
    case SDLK_PERIOD:
    case SDLK_GREATER: return VK_OEM_PERIOD;
    case SDLK_SLASH:
    case SDLK_QUESTION: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE:
    case SDLK_QUOTEDBL: return VK_OEM_7;
    default: return 0;
    }
}

}  // namespace

unsigned virtualKeyFor(SDL_Keycode sym, SDL_Scancode scancode, bool numLock) {
    if (unsigned vk = keypadKey(scancode, numLock)) return vk;
    // The digit row stays '0'..'9' on layouts whose unshifted symbols are not
    // digits, so it is taken by position before the symbol is looked at.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) return physicalKey(scancode);
    if (unsigned vk = symbolKey(sym)) return vk;
    return physicalKey(scancode);
}

unsigned modifiersFor(Uint16 sdlMod) {
    unsigned modifiers = 0;
    if (sdlMod & KMOD_SHIFT) modifiers |= ModShift;
    if (sdlMod & KMOD_CTRL) modifiers |= ModCtrl;
    if (sdlMod & KMOD_ALT) modifiers |= ModAlt;
    return modifiers;
}

}  // namespace display::sdl
