// Fundamental types of the windowing layer's public face: integer types,
// geometry, colours and opaque handles, with the sizes and meanings the
// classic 32-bit windowing API gives them. Every layer may include this file;
// it depends on nothing but the standard library.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = int;
using INT = int;
using UINT = unsigned int;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using COLORREF = DWORD;

// glib defines these too, with the same values; whoever comes first wins.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// Handles are opaque: their value names an object in a table of the window
// system and is never a pointer to it, so a stale handle can be refused.
struct HWND__;
using HWND = HWND__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HDC__;
using HDC = HDC__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
// Signed coordinates packed into an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l))); }
constexpr LPARAM MAKEPOINTLPARAM(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// A resource name given as a small integer rather than a string.
inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

// Rectangle helpers used across the layers.
constexpr LONG rectWidth(const RECT& r) { return r.right - r.left; }
constexpr LONG rectHeight(const RECT& r) { return r.bottom - r.top; }
constexpr bool rectContains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
constexpr RECT rectOffset(RECT r, LONG dx, LONG dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
constexpr RECT rectInflate(RECT r, LONG dx, LONG dy) { return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy}; }
constexpr bool rectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
