// Virtual-key codes, with the values of the classic windowing API. The
// display backends translate their native key symbols into these, and the
// windowing layer routes them as WM_KEYDOWN / WM_SYSKEYDOWN.
#pragma once

constexpr unsigned VK_LBUTTON = 0x01;
constexpr unsigned VK_RBUTTON = 0x02;
constexpr unsigned VK_MBUTTON = 0x04;
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;  // Alt
constexpr unsigned VK_PAUSE = 0x13;
constexpr unsigned VK_CAPITAL = 0x14;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their ASCII codes.
constexpr unsigned VK_APPS = 0x5D;
constexpr unsigned VK_NUMPAD0 = 0x60;
constexpr unsigned VK_MULTIPLY = 0x6A;
constexpr unsigned VK_ADD = 0x6B;
constexpr unsigned VK_SUBTRACT = 0x6D;
constexpr unsigned VK_DECIMAL = 0x6E;
constexpr unsigned VK_DIVIDE = 0x6F;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F2 = 0x71;
constexpr unsigned VK_F3 = 0x72;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F5 = 0x74;
constexpr unsigned VK_F6 = 0x75;
constexpr unsigned VK_F7 = 0x76;
constexpr unsigned VK_F8 = 0x77;
constexpr unsigned VK_F9 = 0x78;
constexpr unsigned VK_F10 = 0x79;
constexpr unsigned VK_F11 = 0x7A;
constexpr unsigned VK_F12 = 0x7B;
constexpr unsigned VK_OEM_1 = 0xBA;       // ;:
constexpr unsigned VK_OEM_PLUS = 0xBB;    // =+
constexpr unsigned VK_OEM_COMMA = 0xBC;   // ,<
constexpr unsigned VK_OEM_MINUS = 0xBD;   // -_
constexpr unsigned VK_OEM_PERIOD = 0xBE;  // .>
constexpr unsigned VK_OEM_2 = 0xBF;       // /?
constexpr unsigned VK_OEM_3 = 0xC0;       // `~
constexpr unsigned VK_OEM_4 = 0xDB;       // [{
constexpr unsigned VK_OEM_5 = 0xDC;       // \|
constexpr unsigned VK_OEM_6 = 0xDD;       // ]}
constexpr unsigned VK_OEM_7 = 0xDE;       // '"
