// AfxWinMain - the entry point of a program written against the class
// library: it sets up a window system over a display backend, records the
// command line, calls the application object's InitInstance and runs the
// exit path. The program's main() calls it with the real screen; tests call
// it with the headless backend, as often as they like.
#pragma once

#include "platform/display/Backend.h"
#include "platform/windowing/WindowSystem.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

struct ApplicationRun {
    display::Backend* backend = nullptr;
    // The program's resources and the class library's own; by default the
    // ones embedded in the program file.
    std::span<const std::uint8_t> programResources = embeddedProgramResources();
    std::span<const std::uint8_t> platformResources = embeddedPlatformResources();
    // The program file; by default the running executable.
    std::string programPath;
    std::vector<std::string> arguments;
    // The help engine behind WinHelpA; by default none (every request fails).
    windowing::HelpEngine helpEngine;
    // Called once the window system is installed, before InitInstance.
    std::function<void(windowing::WindowSystem&)> onStart;
    // Called when the application object has finished, before the window
    // system ends: tests look there at what the program left behind.
    std::function<void(windowing::WindowSystem&)> onExit;

    static std::span<const std::uint8_t> embeddedProgramResources();
    static std::span<const std::uint8_t> embeddedPlatformResources();
};

// Runs the application object; returns the process exit status.
int AfxWinMain(const ApplicationRun& run);
