// The recorder window's initial settings and icon: the
// values it opens with, the application icon in its caption and on its
// native window, the icon painted while minimised, the drag icon, and a
// program whose resources lack the icon.
#include "resources/resource.h"
#include "tests/program/RecorderTestKit.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/framework/Afx.h"
#include "platform/windowing/Api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace recorder_test;

namespace {

struct InitialValue {
    int id;
    const char* text;
};

TEST(RecorderInitialSettings, OpenWithTheStatedValuesAllDisabled) {
    const std::vector<InitialValue> values = {
        {IDC_CHANNEL, "Channel 01"},
        {IDC_SAMPLE_RATE, "225"},
        {IDC_RECORDING_TIME, "1000"},
        {IDC_FILE_NAME, "output.txt"},
    };
    struct Format {
        int id;
        const char* text;
        LRESULT check;
    };
    const std::vector<Format> formats = {
        {IDC_FORMAT_TEXT, "Text", BST_CHECKED},
        {IDC_FORMAT_BINARY, "Binary", BST_UNCHECKED},
        {IDC_FORMAT_CSV, "CSV (Excel)", BST_UNCHECKED},
        {IDC_FORMAT_MATLAB, "Matlab", BST_UNCHECKED},
    };
    HeadlessProgram program;
    program.then([&] {
        ASSERT_NE(program.recorder(), nullptr);
        for (const InitialValue& v : values) {
            SCOPED_TRACE("control " + std::to_string(v.id));
            HWND c = program.control(v.id);
            EXPECT_EQ(HeadlessProgram::text(c), v.text);
            EXPECT_FALSE(IsWindowEnabled(c));
            char buffer[64] = {};
            GetDlgItemTextA(program.recorder(), v.id, buffer, sizeof buffer);
            EXPECT_STREQ(buffer, v.text);
        }
        for (const Format& f : formats) {
            SCOPED_TRACE(f.text);
            HWND c = program.control(f.id);
            EXPECT_EQ(HeadlessProgram::text(c), f.text);
            EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), f.check);
            EXPECT_FALSE(IsWindowEnabled(c));
        }
        // The channel box: the first of its 18 entries is selected.
        HWND combo = program.control(IDC_CHANNEL);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 18);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

// ---------------------------------------------------------------- the icon on the window

TEST(RecorderIcon, IsTheBigSmallAndDragIconAndShowsInTheCaptionAndOnTheNativeWindow) {
    const resources::IconBitmap big = appIconImage(32);
    const resources::IconBitmap small = appIconImage(16);
    ASSERT_EQ(big.width, 32);
    ASSERT_EQ(small.width, 16);
    HeadlessProgram program;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        HICON bigIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
        HICON smallIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(bigIcon, nullptr);
        EXPECT_EQ(smallIcon, bigIcon);
        // The shared application icon, and the drag icon is the same handle.
        EXPECT_EQ(bigIcon, LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_APP_ICON)));
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0)), bigIcon);

        // The native window got both images, pixel for pixel.
        const auto* surface = program.screen().surface(program.surfaceOf(dialog));
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->icons.size(), 2u);
        EXPECT_EQ(surface->icons[0].width, 32);
        EXPECT_EQ(surface->icons[0].height, 32);
        EXPECT_EQ(surface->icons[1].width, 16);
        EXPECT_EQ(surface->icons[1].height, 16);
        EXPECT_TRUE(surface->icons[0].argb == big.argb);
        EXPECT_TRUE(surface->icons[1].argb == small.argb);

        // The caption shows the 16x16 image at its place: its opaque pixels
        // exactly, where the caption gradient would otherwise be.
        RECT place = captionIconInWindow(dialog);
        int opaque = 0, mismatches = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                std::uint32_t argb = small.argb[static_cast<std::size_t>(y) * 16 + x];
                if (!(argb >> 24)) continue;
                ++opaque;
                std::uint32_t got = program.screen().pixel(program.surfaceOf(dialog), place.left + x, place.top + y);
                if (got != (argb & 0x00FFFFFF) && ++mismatches <= 5)
                    ADD_FAILURE() << "caption icon pixel (" << x << "," << y << ") is 0x" << std::hex << got
                                  << ", the icon's is 0x" << (argb & 0x00FFFFFF);
            }
        }
        EXPECT_GT(opaque, 64);
        EXPECT_EQ(mismatches, 0);
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

// ---------------------------------------------------------------- minimised

// A window procedure put in front of the recorder's: notes the messages of
// painting, then hands them on.
WNDPROC g_recorderProc = nullptr;
std::vector<std::string> g_painting;

LRESULT spyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) g_painting.push_back("paint");
    if (msg == WM_ICONERASEBKGND) {
        g_painting.push_back(std::string("iconerase") + (wParam ? " dc" : " no-dc") + (lParam == 0 ? " 0" : " ?"));
    }
    if (msg == WM_ERASEBKGND) g_painting.push_back("erase");
    LRESULT result = CallWindowProcA(g_recorderProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) g_painting.push_back("paint done");
    return result;
}

struct MinimisedRun {
    std::vector<std::string> painting;
    std::vector<std::uint32_t> client;  // the presented client area
    SIZE clientSize{};
    HICON dragIcon = nullptr;
    HICON windowIcon = nullptr;
    bool iconic = false;
};

// Opens the program on `res` (the program's own when empty), grows its
// window by `grow` (so that the client area can have odd and even sizes),
// minimises it as a window manager would, and records what it painted.
MinimisedRun runMinimised(const std::vector<std::uint8_t>& res, SIZE grow = {0, 0}) {
    MinimisedRun seen;
    HeadlessProgram program;
    if (!res.empty()) program.options().programResources = res;
    g_painting.clear();
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        if (grow.cx || grow.cy) {
            RECT r = HeadlessProgram::screenRect(dialog);
            SetWindowPos(dialog, nullptr, 0, 0, rectWidth(r) + grow.cx, rectHeight(r) + grow.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        g_recorderProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(dialog, GWLP_WNDPROC,
                                                                      reinterpret_cast<LPARAM>(spyProc)));
        program.screen().setMinimized(program.surfaceOf(dialog), true);
    });
    program.then([&] {
        HWND dialog = program.recorder();
        seen.iconic = IsIconic(dialog) != FALSE;
        seen.painting = g_painting;
        RECT client;
        GetClientRect(dialog, &client);
        seen.clientSize = {client.right, client.bottom};
        POINT origin{0, 0};
        ClientToScreen(dialog, &origin);
        RECT window = HeadlessProgram::screenRect(dialog);
        RECT area{origin.x - window.left, origin.y - window.top, origin.x - window.left + client.right,
                  origin.y - window.top + client.bottom};
        seen.client = presentedPixels(program.screen(), program.surfaceOf(dialog), area);
        seen.dragIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0));
        seen.windowIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
        program.screen().setMinimized(program.surfaceOf(dialog), false);
    });
    program.then([&] {
        // Restored, it paints its controls again.
        HWND dialog = program.recorder();
        EXPECT_FALSE(IsIconic(dialog));
        HWND close = program.control(IDOK);
        RECT r = rectInSurface(close);
        EXPECT_EQ(program.screen().pixel(program.surfaceOf(dialog), r.left, (r.top + r.bottom) / 2),
                  sysPixel(COLOR_WINDOWFRAME))
            << "Close is not drawn again after the restore";
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().stepsLeft(), 0u);
    return seen;
}

// The client area as it must look minimised: the icon-erase colour, and the
// 32x32 icon (if any) at ((w - 32 + 1) / 2, (h - 32 + 1) / 2).
std::vector<std::uint32_t> expectedMinimised(SIZE client, const resources::IconBitmap* icon) {
    const std::uint32_t erase = sysPixel(COLOR_BACKGROUND);
    const int x0 = (client.cx - 32 + 1) / 2;
    const int y0 = (client.cy - 32 + 1) / 2;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < client.cy; ++y) {
        for (int x = 0; x < client.cx; ++x) {
            bool inIcon = icon && x >= x0 && x < x0 + 32 && y >= y0 && y < y0 + 32;
            pixels.push_back(inIcon ? iconOver(*icon, x - x0, y - y0, erase) : erase);
        }
    }
    return pixels;
}

// The first differing pixel, for a readable failure.
std::string firstDifference(const std::vector<std::uint32_t>& got, const std::vector<std::uint32_t>& want, int width) {
    if (got.size() != want.size()) return "sizes differ: " + std::to_string(got.size()) + " and " + std::to_string(want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] == want[i]) continue;
        char text[128];
        std::snprintf(text, sizeof text, "first difference at (%d,%d): 0x%06x, expected 0x%06x",
                      static_cast<int>(i % width), static_cast<int>(i / width), got[i], want[i]);
        return text;
    }
    return "none";
}

TEST(RecorderIcon, MinimisedTheWindowPaintsTheIconCentredAfterErasing) {
    const resources::IconBitmap icon = appIconImage(32);
    // The window as it opens, and grown so that each side of the client
    // area is once odd and once even: the +1 of the formula shows only on
    // an odd side.
    const std::vector<SIZE> grows = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {-101, -150}};
    std::vector<SIZE> clients;
    for (SIZE grow : grows) {
        SCOPED_TRACE("window grown by " + std::to_string(grow.cx) + "x" + std::to_string(grow.cy));
        MinimisedRun seen = runMinimised({}, grow);
        EXPECT_TRUE(seen.iconic);
        // The paint asked for the icon's background first, with the paint
        // DC and 0.
        auto paint = std::find(seen.painting.begin(), seen.painting.end(), "paint");
        auto erase = std::find(seen.painting.begin(), seen.painting.end(), "iconerase dc 0");
        ASSERT_NE(erase, seen.painting.end()) << "no WM_ICONERASEBKGND with the paint DC";
        EXPECT_LT(paint - seen.painting.begin(), erase - seen.painting.begin());
        // Exactly the erase colour with the icon at its place: any other
        // place, or an erase after the drawing, or a control drawn over it,
        // would show.
        ASSERT_GT(seen.clientSize.cx, 32);
        clients.push_back(seen.clientSize);
        std::vector<std::uint32_t> want = expectedMinimised(seen.clientSize, &icon);
        EXPECT_TRUE(seen.client == want) << firstDifference(seen.client, want, seen.clientSize.cx);
        // The drag icon is the window's icon.
        EXPECT_NE(seen.dragIcon, nullptr);
        EXPECT_EQ(seen.dragIcon, seen.windowIcon);
    }
    // The rows did give odd and even sides.
    ASSERT_EQ(clients.size(), grows.size());
    EXPECT_NE(clients[0].cx % 2, clients[1].cx % 2);
    EXPECT_NE(clients[0].cy % 2, clients[2].cy % 2);
}

// ---------------------------------------------------------------- no icon in the resources

std::vector<std::uint8_t> programResWithoutIcon() {
    std::vector<resources_test::ResEntry> entries;
    for (resources_test::ResEntry& e : programEntries()) {
        if (e.type == resources::ResourceName::id(resources::kTypeIcon) ||
            e.type == resources::ResourceName::id(resources::kTypeGroupIcon))
            continue;
        entries.push_back(std::move(e));
    }
    return buildRes(entries);
}

TEST(RecorderIcon, WithoutTheIconResourceTheProgramRunsTheSameWithANullIcon) {
    const std::vector<std::uint8_t> res = programResWithoutIcon();
    std::vector<ControlView> plain;
    {
        HeadlessProgram program;
        program.then([&] {
            plain = viewOf(program.recorder());
            program.key(VK_ESCAPE);
        });
        EXPECT_EQ(program.run(), 0);
    }

    testing::internal::CaptureStderr();
    HeadlessProgram program;
    program.options().programResources = res;
    program.then([&] {
        HWND dialog = program.recorder();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(viewOf(dialog), plain);
        EXPECT_EQ(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_EQ(SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0), 0);
        const auto* surface = program.screen().surface(program.surfaceOf(dialog));
        ASSERT_NE(surface, nullptr);
        EXPECT_TRUE(surface->icons.empty());
        // The caption has no icon: at the icon's place, the icon's opaque
        // pixels are not there (the caption's own colours and title are).
        const resources::IconBitmap small = appIconImage(16);
        RECT place = captionIconInWindow(dialog);
        int opaque = 0, matching = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                std::uint32_t argb = small.argb[static_cast<std::size_t>(y) * 16 + x];
                if (!(argb >> 24)) continue;
                ++opaque;
                if (program.screen().pixel(program.surfaceOf(dialog), place.left + x, place.top + y) == (argb & 0xFFFFFF))
                    ++matching;
            }
        }
        EXPECT_LT(matching, opaque / 4) << "the caption shows the icon";
        program.clickOn(program.control(IDC_DETECT_HARDWARE));
    });
    program.then([&] {
        // Detection works the same.
        ASSERT_NE(program.topLevel("Warning"), nullptr);
        program.key(VK_RETURN);
    });
    program.then([&] { program.key(VK_ESCAPE); });
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(program.screen().stepsLeft(), 0u);

    // Minimised, it paints only the background.
    MinimisedRun seen = runMinimised(res);
    EXPECT_TRUE(seen.iconic);
    std::vector<std::uint32_t> want = expectedMinimised(seen.clientSize, nullptr);
    EXPECT_TRUE(seen.client == want) << firstDifference(seen.client, want, seen.clientSize.cx);
    EXPECT_EQ(seen.dragIcon, nullptr);

    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the program reported something";
}

}  // namespace
