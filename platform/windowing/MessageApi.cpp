// Sending and posting messages, the thread's queue and its order: posted
// messages, then the quit request, then input (taken from the backend at
// that moment, so it goes to the window that has the focus then), then
// painting; with nothing to do the thread blocks in the backend.
#include "platform/windowing/Api.h"

#include "platform/windowing/Geometry.h"
#include "platform/windowing/Internal.h"

#include <cctype>

using namespace windowing;

namespace {

bool matches(const MSG& m, HWND filter, UINT min, UINT max) {
    if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
    if (min == 0 && max == 0) return true;
    return m.message >= min && m.message <= max;
}

template <class Queue>
bool takeFrom(Queue& queue, MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(*it, filter, min, max)) continue;
        *msg = *it;
        if (remove) queue.erase(it);
        return true;
    }
    return false;
}

// One pass over the sources of messages; false when none has one.
bool takeMessage(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    WindowSystem& system = ws();
    if (takeFrom(system.posted, msg, filter, min, max, remove)) return true;
    if (system.quitPosted && !filter) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(system.quitCode);
        if (remove) system.quitPosted = false;
        return true;
    }
    if (takeFrom(system.input, msg, filter, min, max, remove)) return true;
    display::Event event;
    while (nextBackendEvent(event, false)) {
        if (translateEvent(event) && takeFrom(system.input, msg, filter, min, max, remove)) return true;
        if (takeFrom(system.posted, msg, filter, min, max, remove)) return true;
    }
    if (min == 0 || (WM_PAINT >= min && WM_PAINT <= max)) {
        if (HWND hwnd = findWindowNeedingPaint(); hwnd && (!filter || hwnd == filter || IsChild(filter, hwnd))) {
            *msg = MSG{};
            msg->hwnd = hwnd;
            msg->message = WM_PAINT;
            msg->time = system.backend().now();
            return true;
        }
    }
    return false;
}

void remember(const MSG& msg) { ws().lastMessage = msg; }

}  // namespace

namespace windowing {

bool nextBackendEvent(display::Event& event, bool wait) {
    WindowSystem& system = ws();
    if (!system.passedOn.empty()) {
        // Older than anything the backend holds.
        event = system.passedOn.front();
        system.passedOn.pop_front();
        return true;
    }
    return system.backend().nextEvent(event, wait);
}

}  // namespace windowing

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = live(hwnd);
    if (!w || !w->proc) return 0;
    WNDPROC proc = w->proc;
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !live(hwnd)) return FALSE;
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = ws().backend().now();
    m.pt = ws().cursorPos;
    ws().posted.push_back(m);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    ws().quitPosted = true;
    ws().quitCode = exitCode;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) return FALSE;
    for (;;) {
        if (takeMessage(msg, hwnd, filterMin, filterMax, true)) {
            remember(*msg);
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        // Nothing to do: show what was drawn, then block until input arrives.
        presentAll();
        display::Event event;
        if (nextBackendEvent(event, true)) translateEvent(event);
    }
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) return FALSE;
    if (!takeMessage(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0)) return FALSE;
    if (removeFlags & PM_REMOVE) remember(*msg);
    return TRUE;
}

namespace {
// The character a key gives with the US keyboard layout, or 0.
char characterOf(unsigned vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : std::tolower(static_cast<int>(vk)));
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return '\t';
    case VK_BACK: return '\b';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: break;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
    return 0;
}
}  // namespace

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) return FALSE;
    char c = characterOf(static_cast<unsigned>(msg->wParam), shift);
    if (!c) return FALSE;
    MSG ch = *msg;
    ch.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    ch.wParam = static_cast<unsigned char>(c);
    // The character comes next, before anything posted later.
    ws().posted.push_front(ch);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !live(msg->hwnd)) return 0;
    LRESULT result = SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A window procedure that did not validate its area would be asked
        // to paint forever; take the request as answered.
        if (Window* w = live(msg->hwnd)) {
            w->needsPaint = false;
            w->needsFrame = false;
            w->updateRect = {};
        }
    }
    return result;
}

DWORD GetMessageTime() { return ws().lastMessage.time; }
DWORD GetTickCount() { return ws().backend().now(); }

short GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    return (ws().keyState[virtualKey] & 0x80) ? static_cast<short>(0x8000) : 0;
}
