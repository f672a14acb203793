// HeadlessProgram - runs the real program (its application object, its
// windows and their modal loops) on the headless backend, driven by a
// script of steps, for tests.
//
//   HeadlessProgram program;
//   program.then([&] { EXPECT_EQ(program.text(program.control(IDOK)), "Close"); program.key(VK_ESCAPE); });
//   EXPECT_EQ(program.run(), 0);
//
// Each step runs when the program waits for input with none queued. A
// program still waiting after the last step fails the test (the script ran
// out), so a broken loop never hangs a test.
#pragma once

#include "platform/display/headless/HeadlessBackend.h"
#include "platform/framework/ApplicationRun.h"
#include "platform/windowing/WindowSystem.h"

#include <functional>
#include <string>
#include <vector>

class HeadlessProgram {
public:
    explicit HeadlessProgram(std::vector<display::Monitor> monitors = display::HeadlessBackend::defaultMonitors());

    display::HeadlessBackend& screen() { return backend_; }
    // Options of the run (resources, help engine, program path, arguments).
    ApplicationRun& options() { return run_; }

    void then(std::function<void()> step) { backend_.then(std::move(step)); }

    // Runs the program to its end and returns its exit status. A script that
    // ran out is reported as a test failure, and so is a run started from a
    // step of another session (sessions do not nest).
    int run();
    bool scriptRanOut() const { return ranOut_; }

    // --- looking at the running program (inside steps) ---
    static constexpr const char* kRecorderTitle = "QUILVANE v2.03";
    HWND topLevel(const std::string& title) const;  // a visible top-level window, or null
    HWND recorder() const { return topLevel(kRecorderTitle); }
    std::vector<HWND> visibleTopLevels() const;
    HWND control(int id) const { return control(recorder(), id); }
    static HWND control(HWND dialog, int id);
    static std::string text(HWND hwnd);
    static std::string className(HWND hwnd);
    static RECT screenRect(HWND hwnd);
    static POINT centre(HWND hwnd);
    static DWORD style(HWND hwnd);
    display::SurfaceId surfaceOf(HWND hwnd) const;

    // --- input (inside steps) ---
    void key(unsigned vk, unsigned modifiers = 0) { backend_.key(vk, modifiers); }
    void click(POINT screen, display::MouseButton button = display::MouseButton::Left) { backend_.click(screen, button); }
    void clickOn(HWND hwnd) { click(centre(hwnd)); }

private:
    display::HeadlessBackend backend_;
    ApplicationRun run_;
    bool ranOut_ = false;
};
