// System metrics and monitors.
#include "platform/windowing/Api.h"

#include "platform/graphics/ControlLook.h"
#include "platform/windowing/Geometry.h"
#include "platform/windowing/WindowSystem.h"

#include <climits>

using namespace windowing;

namespace {

std::vector<display::Monitor> monitors() { return ws().backend().monitors(); }

HMONITOR handleOf(std::size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

long distanceTo(const RECT& r, POINT p) {
    long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

// The monitor sharing the largest area with `rect`; by flags when none does.
HMONITOR monitorOfRect(const RECT& rect, DWORD flags) {
    std::vector<display::Monitor> list = monitors();
    long bestArea = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        RECT overlap = intersectRect(rect, list[i].bounds);
        long area = static_cast<long>(rectWidth(overlap)) * rectHeight(overlap);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (bestArea > 0) return handleOf(best);
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY || list.empty()) return handleOf(0);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    long nearest = LONG_MAX;
    for (std::size_t i = 0; i < list.size(); ++i) {
        long d = distanceTo(list[i].bounds, centre);
        if (d < nearest) {
            nearest = d;
            best = i;
        }
    }
    return handleOf(best);
}

}  // namespace

int GetSystemMetrics(int index) {
    namespace m = graphics::metrics;
    switch (index) {
    case SM_CXSCREEN: {
        auto list = monitors();
        return list.empty() ? 0 : rectWidth(list.front().bounds);
    }
    case SM_CYSCREEN: {
        auto list = monitors();
        return list.empty() ? 0 : rectHeight(list.front().bounds);
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return m::captionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return m::dialogFrame;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return m::iconSize;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: return m::captionButtonWidth;
    case SM_CYSIZE: return m::captionButtonHeight;
    case SM_CXSMICON:
    case SM_CYSMICON: return m::smallIconSize;
    case SM_CMONITORS: return static_cast<int>(monitors().size());
    default: return 0;
    }
}

BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni) {
    (void)param;
    (void)winIni;
    if (action != SPI_GETWORKAREA || !value) return FALSE;
    auto list = monitors();
    if (list.empty()) return FALSE;
    *static_cast<RECT*>(value) = list.front().workArea;
    return TRUE;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    Window* w = live(hwnd);
    if (!w) return flags == MONITOR_DEFAULTTONULL ? nullptr : handleOf(0);
    return monitorOfRect(screenRect(*topLevelOf(w)), flags);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
    if (!rect) return nullptr;
    return monitorOfRect(*rect, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
    auto index = reinterpret_cast<std::uintptr_t>(monitor);
    auto list = monitors();
    if (!info || index == 0 || index > list.size()) return FALSE;
    const display::Monitor& m = list[index - 1];
    info->rcMonitor = m.bounds;
    info->rcWork = m.workArea;
    info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}
