#include "tests/support/HeadlessProgram.h"

#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

HeadlessProgram::HeadlessProgram(std::vector<display::Monitor> monitors) : backend_(std::move(monitors)) {
    run_.backend = &backend_;
    run_.programPath = "/opt/quilvane/bin/quilvane";
}

int HeadlessProgram::run() {
    // A run inside another session's step would reset the class library's
    // state under that session (its windows lose their objects).
    if (windowing::WindowSystem::current()) {
        ADD_FAILURE() << "HeadlessProgram::run() called while another session runs (from one of its steps?)";
        return -1;
    }
    try {
        return AfxWinMain(run_);
    } catch (const display::ScriptExhausted& e) {
        ranOut_ = true;
        ADD_FAILURE() << "the program still waits for input after the last step of the script: " << e.what();
        return -1;
    }
}

HWND HeadlessProgram::topLevel(const std::string& title) const {
    for (HWND hwnd : visibleTopLevels())
        if (text(hwnd) == title) return hwnd;
    return nullptr;
}

std::vector<HWND> HeadlessProgram::visibleTopLevels() const {
    std::vector<HWND> result;
    windowing::WindowSystem* system = windowing::WindowSystem::current();
    if (!system) return result;
    for (HWND hwnd : system->topLevelWindows())
        if (IsWindowVisible(hwnd)) result.push_back(hwnd);
    return result;
}

HWND HeadlessProgram::control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string HeadlessProgram::text(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied));
    return buffer;
}

std::string HeadlessProgram::className(HWND hwnd) {
    char buffer[64] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

RECT HeadlessProgram::screenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT HeadlessProgram::centre(HWND hwnd) {
    RECT r = screenRect(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

DWORD HeadlessProgram::style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

display::SurfaceId HeadlessProgram::surfaceOf(HWND hwnd) const {
    windowing::Window* w = windowing::live(GetAncestorTopLevel(hwnd));
    return w ? w->surface : 0;
}
