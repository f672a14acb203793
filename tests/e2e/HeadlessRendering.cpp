#include "tests/e2e/HeadlessRendering.h"

#include "tests/e2e/harness/ProgramRun.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace e2e {
namespace {

constexpr Millis kRenderTimeout{60000};

std::string temporaryPngPath() {
    char path[] = "/tmp/qv-headless-XXXXXX.png";
    const int fd = ::mkstemps(path, 4);
    if (fd < 0) return "";
    ::close(fd);
    return path;
}

// "window L T R B" and "control ID L T R B" lines.
bool parsePlaces(const std::string& text, HeadlessRendering& rendering) {
    std::istringstream in(text);
    bool sawWindow = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        int id = 0;
        long left, top, right, bottom;
        words >> kind;
        if (kind == "control") words >> id;
        if (!(words >> left >> top >> right >> bottom)) continue;
        const WindowGeometry place{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                                   static_cast<int>(bottom - top)};
        if (kind == "window") {
            rendering.window = place;
            sawWindow = true;
        } else if (kind == "control") {
            rendering.controls.insert({id, place});
        }
    }
    return sawWindow;
}

}  // namespace

std::optional<HeadlessRendering> renderHeadless(const std::string& state, const ScreenLayout& layout,
                                                std::string* error) {
    const std::string out = temporaryPngPath();
    if (out.empty()) {
        if (error) *error = "cannot make a temporary file for the headless rendering";
        return std::nullopt;
    }
    const WorkArea& w = layout.workArea;
    const std::vector<std::string> arguments{
        "--state", state, "--out", out, "--screen", std::to_string(layout.width) + "x" + std::to_string(layout.height),
        "--work-area",
        std::to_string(w.x) + "," + std::to_string(w.y) + "," + std::to_string(w.width) + "," + std::to_string(w.height)};
    ProgramRun run(QV_RENDER_HEADLESS, arguments, {});
    std::optional<HeadlessRendering> result;
    if (!run.started()) {
        if (error) *error = run.error();
    } else if (const std::optional<ExitStatus> status = run.waitForExit(kRenderTimeout); !status) {
        if (error) *error = "render_headless --state " + state + " did not end in time";
    } else if (!status->exited || status->code != 0) {
        if (error) *error = "render_headless --state " + state + " failed (" + status->describe() + "): " + run.standardError();
    } else {
        HeadlessRendering rendering;
        std::optional<Picture> picture = readPng(out, error);
        if (picture && parsePlaces(run.standardOutput(), rendering)) {
            rendering.picture = std::move(*picture);
            result = std::move(rendering);
        } else if (picture && error) {
            *error = "render_headless did not say where the window was: " + run.standardOutput();
        }
    }
    ::unlink(out.c_str());
    return result;
}

}  // namespace e2e
