#include "tools/snapshot/XvfbSnapshot.h"

#include "platform/graphics/Bitmap.h"
#include "tests/e2e/harness/ProgramRun.h"
#include "tests/e2e/harness/ScreenClient.h"
#include "tests/e2e/harness/XvfbServer.h"

#include <X11/keysym.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace snapshot {
namespace {

using e2e::Millis;

constexpr Millis kWindowTimeout{20000};
constexpr Millis kPaintTimeout{10000};
constexpr Millis kExitTimeout{10000};
constexpr int kTaskBarHeight = 30;

int failure(const std::string& message) {
    std::fprintf(stderr, "quilvane_snapshot: %s\n", message.c_str());
    return 1;
}

// Passes on what the program printed.
void forwardOutput(e2e::ProgramRun& program) {
    std::fputs(program.standardOutput().c_str(), stdout);
    std::fputs(program.standardError().c_str(), stderr);
}

std::string endedSaying(e2e::ProgramRun& program, const e2e::ExitStatus& status) {
    const std::string said = program.standardError();
    return "the program ended (" + status.describe() + ")" + (said.empty() ? "" : "; it said:\n" + said);
}

bool uniform(const std::vector<std::uint32_t>& pixels) {
    for (std::uint32_t p : pixels) {
        if (p != pixels.front()) return false;
    }
    return true;
}

// The window's picture once the program has painted it: not a single
// colour (an unpainted window shows the black screen behind it) and the
// same on three reads in a row.
std::optional<std::vector<std::uint32_t>> settledPicture(e2e::ScreenClient& screen, const e2e::WindowGeometry& g) {
    std::vector<std::uint32_t> last;
    int sameReads = 0;
    std::optional<std::vector<std::uint32_t>> settled;
    e2e::waitFor(
        [&] {
            std::vector<std::uint32_t> now = screen.readPixels(g.x, g.y, g.width, g.height);
            const bool painted = !now.empty() && !uniform(now);
            sameReads = painted && now == last ? sameReads + 1 : 0;
            last = std::move(now);
            if (sameReads >= 2) settled = last;
            return settled.has_value();
        },
        kPaintTimeout, Millis(50));
    return settled;
}

int exitStatusOf(const e2e::ExitStatus& status) { return status.exited ? status.code : 128 + status.code; }

}  // namespace

int snapshotOnXvfb(const CommandLine& line) {
    e2e::XvfbServer::Options options;
    options.width = line.screenWidth;
    options.height = line.screenHeight;
    options.workArea = e2e::WorkArea{0, 0, line.screenWidth, line.screenHeight - kTaskBarHeight};
    e2e::XvfbServer server(options);
    if (!server.running()) {
        return failure("cannot start a private X server: " + server.error() +
                       "\n(it needs Xvfb, from the Debian package xvfb)");
    }
    e2e::ScreenClient screen(server.displayName());
    if (!screen.connected()) return failure(screen.error());

    e2e::ProgramRun program(line.program, line.programArguments, {server.displayName(), {}});
    if (!program.started()) return failure(program.error());

    // The window, or the end of a program that failed to start.
    std::optional<e2e::XWindowId> window;
    std::optional<e2e::ExitStatus> ended;
    e2e::waitFor(
        [&] {
            window = screen.findWindow(line.title, Millis(0));
            if (!window) ended = program.waitForExit(Millis(0));
            return window || ended;
        },
        kWindowTimeout, Millis(20));
    if (!window) {
        if (ended) return failure("no window titled \"" + line.title + "\" appeared: " + endedSaying(program, *ended));
        forwardOutput(program);
        return failure("no window titled \"" + line.title + "\" appeared within " +
                       std::to_string(kWindowTimeout.count() / 1000) + " s");
    }
    const std::optional<e2e::WindowGeometry> place = screen.geometry(*window);
    if (!place) return failure("the window \"" + line.title + "\" went away before its picture was taken");
    const std::optional<std::vector<std::uint32_t>> picture = settledPicture(screen, *place);
    if (!picture) {
        forwardOutput(program);
        return failure("the window \"" + line.title + "\" was not painted within " +
                       std::to_string(kPaintTimeout.count() / 1000) + " s");
    }
    std::string error;
    if (!graphics::writePng(picture->data(), place->width, place->height, place->width * 4, line.out, &error)) {
        return failure(error);
    }

    // Closed as a user closes it.
    if (!screen.pressKey(XK_Escape)) return failure("the private X server has no Escape key");
    const std::optional<e2e::ExitStatus> status = program.waitForExit(kExitTimeout);
    forwardOutput(program);
    if (!status) {
        return failure("the program did not end within " + std::to_string(kExitTimeout.count() / 1000) +
                       " s after Escape; the picture is in " + line.out);
    }
    if (!status->exited) std::fprintf(stderr, "quilvane_snapshot: %s\n", endedSaying(program, *status).c_str());
    std::printf("The window \"%s\" (%dx%d) is saved in %s\n", line.title.c_str(), place->width, place->height,
                line.out.c_str());
    return exitStatusOf(*status);
}

}  // namespace snapshot
