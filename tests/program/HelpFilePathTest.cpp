// The help file F1 asks for: the program file's own extension replaced by
// ".HLP", or ".HLP" appended when its name has none; a dot in a folder name
// or at the start of a hidden name is no extension. The same table is
// checked on the naming functions and through a real F1, whose failure box
// also shows the program's name.
#include "tests/program/HelpTestSupport.h"

using namespace sysmenu_test;
using namespace help_test;

namespace {

struct PathRow {
    const char* name;
    const char* programPath;
    const char* helpFile;
    const char* appName;  // the failure box's caption
};

void PrintTo(const PathRow& r, std::ostream* os) { *os << r.name; }

const std::vector<PathRow> kRows = {
    {"Installed", "/opt/quilvane/bin/quilvane", "/opt/quilvane/bin/quilvane.HLP", "quilvane"},
    {"Plain", "/usr/bin/quilvane", "/usr/bin/quilvane.HLP", "quilvane"},
    {"DottedFolder", "/opt/my.tools/quilvane", "/opt/my.tools/quilvane.HLP", "quilvane"},
    {"WithExtension", "/opt/quilvane/bin/quilvane.exe", "/opt/quilvane/bin/quilvane.HLP", "quilvane"},
    {"SeveralDots", "/x/quilvane.v2.bin", "/x/quilvane.v2.HLP", "quilvane.v2"},
    {"HiddenName", "/x/.quilvane", "/x/.quilvane.HLP", ".quilvane"},
    {"HiddenNameWithExtension", "/x/my.dir/.quilvane.bin", "/x/my.dir/.quilvane.HLP", ".quilvane"},
    {"TrailingDot", "/x/quilvane.", "/x/quilvane.HLP", "quilvane"},
    {"RelativeInDotFolder", "./quilvane", "./quilvane.HLP", "quilvane"},
    {"BareName", "quilvane", "quilvane.HLP", "quilvane"},
};

class HelpFilePath : public ::testing::TestWithParam<PathRow> {};

TEST_P(HelpFilePath, NamingFunctions) {
    const PathRow& row = GetParam();
    EXPECT_EQ(AfxHelpFilePathFor(row.programPath), row.helpFile);
    EXPECT_EQ(AfxExeNameFor(row.programPath), row.appName);
}

TEST_P(HelpFilePath, AskedForByF1) {
    const PathRow& row = GetParam();
    HeadlessProgram program;
    program.options().programPath = row.programPath;
    RecordingHelpEngine engine(program, FALSE);
    program.then([&] { program.key(VK_F1); });
    program.then([&] {
        ASSERT_EQ(engine.calls.size(), 1u);
        EXPECT_EQ(engine.calls[0].file, row.helpFile);
        EXPECT_EQ(engine.calls[0].data, kRecorderContext);
        std::vector<HWND> boxes = failureBoxes(program);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(HeadlessProgram::text(boxes[0]), row.appName);
        program.key(VK_RETURN);
    });
    program.then([&] {
        EXPECT_TRUE(failureBoxes(program).empty());
        program.key(VK_ESCAPE);
    });
    EXPECT_EQ(program.run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, HelpFilePath, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
