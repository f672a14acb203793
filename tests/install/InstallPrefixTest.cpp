// `cmake --install <build> --prefix <folder>`, as a user installs the
// program: the files it puts there, the menu entry, the theme icons, and the
// installed program running.
#include "tests/install/Command.h"
#include "tests/install/InstalledFiles.h"
#include "tests/install/ScratchDir.h"

#include <gtest/gtest.h>

namespace install_test {
namespace {

class InstalledPrefix : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_scratch.ok()) << m_scratch.error();
        m_prefix = m_scratch.path() / "prefix";
        const CommandResult install =
            runCommand({QV_CMAKE_COMMAND, "--install", QV_BUILD_DIR, "--prefix", m_prefix.string()});
        ASSERT_TRUE(install.succeeded) << install.report;
    }

    ScratchDir m_scratch;
    std::filesystem::path m_prefix;
};

TEST_F(InstalledPrefix, HoldsTheProgramItsMenuEntryAndIconsAndNothingElse) {
    EXPECT_EQ(filesUnder(m_prefix), kInstalledFiles);
    expectProgramFile(m_prefix);
}

TEST_F(InstalledPrefix, MenuEntryDescribesTheProgramAndPassesTheValidator) { expectMenuEntry(m_prefix); }

TEST_F(InstalledPrefix, ThemeIconsAreTheProgramsOwnIconWithTransparency) { expectThemeIcons(m_prefix); }

TEST_F(InstalledPrefix, InstalledProgramStartsAndClosesWithEscape) {
    expectStartsAndClosesWithEscape(m_prefix / "bin/quilvane");
}

}  // namespace
}  // namespace install_test
