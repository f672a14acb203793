#include "platform/framework/ApplicationRun.h"

#include "platform/controls/ControlClasses.h"
#include "platform/framework/Afx.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/FrameworkState.h"

#include <cstdio>
#include <unistd.h>

// The resource files embedded in the program file. The program's own are
// weak: a test program may run without them.
extern "C" {
extern const std::uint8_t program_resources_begin[] __attribute__((weak));
extern const std::uint8_t program_resources_end[] __attribute__((weak));
extern const std::uint8_t platform_resources_begin[];
extern const std::uint8_t platform_resources_end[];
}

std::span<const std::uint8_t> ApplicationRun::embeddedProgramResources() {
    if (!program_resources_begin || !program_resources_end) return {};
    return {program_resources_begin, static_cast<std::size_t>(program_resources_end - program_resources_begin)};
}

std::span<const std::uint8_t> ApplicationRun::embeddedPlatformResources() {
    return {platform_resources_begin, static_cast<std::size_t>(platform_resources_end - platform_resources_begin)};
}

namespace {

std::string runningExecutable() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string joinArguments(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& a : arguments) {
        if (!line.empty()) line += ' ';
        line += a;
    }
    return line;
}

}  // namespace

int AfxWinMain(const ApplicationRun& run) {
    CWinApp* app = AfxGetApp();
    if (!app || !run.backend) {
        std::fputs("the program has no application object or no screen to run on\n", stderr);
        return 1;
    }
    windowing::WindowSystem system(*run.backend, windowing::ResourceModules(run.programResources, run.platformResources));
    windowing::ScopedWindowSystem installed(system);
    system.programPath = run.programPath.empty() ? runningExecutable() : run.programPath;
    system.setHelpEngine(run.helpEngine);
    system.destroyHook = afxForgetWindow;
    controls::registerControlClasses(system);
    if (run.onStart) run.onStart(system);

    app->InitNames(system.programPath, joinArguments(run.arguments));
    int status = 0;
    if (!app->InitInstance()) {
        // No message loop: a main window left behind is destroyed, then the
        // exit path runs (it has nothing to save).
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        status = app->ExitInstance();
    } else {
        status = app->Run();
    }
    if (run.onExit) run.onExit(system);
    app->m_pMainWnd = nullptr;
    app->m_dwPromptContext = 0;
    afxResetState();
    system.destroyHook = nullptr;
    return status;
}
