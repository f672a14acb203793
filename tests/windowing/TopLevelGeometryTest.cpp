// A top-level window moved and resized through the API: its native surface
// takes the same place and size, and the frame presented afterwards is a
// whole frame of the new size, painted by the window.
#include "platform/display/headless/HeadlessBackend.h"
#include "platform/windowing/Api.h"
#include "platform/windowing/WindowSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace {

// The colour the window paints with, as a presented pixel (0x00RRGGBB).
std::uint32_t paintColour() {
    const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

// Fills its whole client area with one system colour on every paint.
LRESULT paintingWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, COLOR_HIGHLIGHT);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class TopLevelGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        system_ = std::make_unique<windowing::WindowSystem>(screen_, windowing::ResourceModules({}, {}));
        installed_ = std::make_unique<windowing::ScopedWindowSystem>(*system_);
        WNDCLASSA wc;
        wc.lpfnWndProc = paintingWindowProc;
        wc.lpszClassName = "Painting";
        wc.hbrBackground = COLOR_BTNFACE + 1;
        ASSERT_TRUE(RegisterClassA(&wc));
        // No caption or border: the client area is the whole window, so
        // every presented pixel is the window's own colour.
        window_ = CreateWindowExA(0, "Painting", "geometry", WS_POPUP, 100, 80, 200, 120, nullptr, nullptr, nullptr,
                                  nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        showWhatWasDrawn();
    }

    // Paints what is pending and presents it, as the message loop does
    // when it runs out of messages.
    void showWhatWasDrawn() {
        UpdateWindow(window_);
        Sleep(0);
    }

    const display::HeadlessBackend::SurfaceState* surface() const {
        const std::vector<display::SurfaceId> shown = screen_.shownSurfaces();
        return shown.empty() ? nullptr : screen_.surface(shown.front());
    }

    display::HeadlessBackend screen_;
    std::unique_ptr<windowing::WindowSystem> system_;
    std::unique_ptr<windowing::ScopedWindowSystem> installed_;
    HWND window_ = nullptr;
};

TEST_F(TopLevelGeometry, TheNativeSurfaceFollowsEveryMoveAndResize) {
    struct Row {
        const char* what;
        std::function<void(HWND)> change;
        RECT expected;
    };
    const Row rows[] = {
        {"grown by SetWindowPos, place kept",
         [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER); }, {100, 80, 420, 320}},
        {"shrunk by SetWindowPos, place kept",
         [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 90, 50, SWP_NOMOVE | SWP_NOZORDER); }, {100, 80, 190, 130}},
        {"moved and resized at once by MoveWindow",
         [](HWND w) { MoveWindow(w, 10, 20, 300, 150, TRUE); }, {10, 20, 310, 170}},
        {"moved only: the size stays",
         [](HWND w) { SetWindowPos(w, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }, {40, 50, 340, 200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.change(window_);
        showWhatWasDrawn();

        RECT windowRect;
        ASSERT_TRUE(GetWindowRect(window_, &windowRect));
        EXPECT_EQ(windowRect, row.expected);
        const display::HeadlessBackend::SurfaceState* native = surface();
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(native->rect, row.expected);

        // The last frame is a whole frame of the new size, all painted.
        const int width = row.expected.right - row.expected.left;
        const int height = row.expected.bottom - row.expected.top;
        EXPECT_EQ(native->width, width);
        EXPECT_EQ(native->height, height);
        const std::uint32_t colour = paintColour();
        const auto unpainted = std::count_if(native->pixels.begin(), native->pixels.end(),
                                             [&](std::uint32_t p) { return (p & 0xFFFFFF) != colour; });
        EXPECT_EQ(unpainted, 0) << "pixels not painted by the window in the " << width << "x" << height
                                << " frame";
    }
}

}  // namespace
