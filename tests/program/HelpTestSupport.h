// Helpers of the help tests: a help engine that records what it is asked
// for and answers as the case needs, and the class library's prompt context.
#pragma once

#include "tests/program/SystemMenuTestSupport.h"

#include "platform/framework/Framework.h"

#include <string>
#include <vector>

namespace help_test {

constexpr const char* kProgramPath = "/opt/quilvane/bin/quilvane";
constexpr const char* kHelpFile = "/opt/quilvane/bin/quilvane.HLP";
constexpr const char* kFailureText = "Failed to launch help.";
constexpr DWORD kRecorderContext = 0x20066;
constexpr DWORD kAboutContext = 0x20064;
constexpr DWORD kFailurePromptContext = 0x3F107;

struct HelpCall {
    HWND window;
    std::string file;
    UINT command;
    std::uintptr_t data;
    display::Cursor cursor;  // the cursor shown while the engine was asked
};

// Records every request; answers `answer` (TRUE: the topic is shown).
class RecordingHelpEngine {
public:
    RecordingHelpEngine(HeadlessProgram& program, BOOL answer) : program_(program), answer_(answer) {
        program.options().helpEngine = [this](HWND window, const std::string& file, UINT command, std::uintptr_t data) {
            calls.push_back({window, file, command, data, program_.screen().cursor()});
            return answer_;
        };
    }
    RecordingHelpEngine(const RecordingHelpEngine&) = delete;
    RecordingHelpEngine& operator=(const RecordingHelpEngine&) = delete;

    std::vector<HelpCall> calls;

private:
    HeadlessProgram& program_;
    BOOL answer_;
};

inline DWORD promptContext() { return AfxGetApp() ? AfxGetApp()->m_dwPromptContext : 0xFFFFFFFFu; }

// The visible "Failed to launch help." boxes: top-level windows holding
// that text.
inline std::vector<HWND> failureBoxes(const HeadlessProgram& program) {
    std::vector<HWND> boxes;
    for (HWND top : program.visibleTopLevels())
        for (HWND c = GetWindow(top, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (HeadlessProgram::text(c) == kFailureText) boxes.push_back(top);
    return boxes;
}

}  // namespace help_test
