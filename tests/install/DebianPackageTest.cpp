// The Debian package made by cpack: its control data, its file list, its
// files unpacked into a scratch root, and the program running from there.
#include "tests/install/Command.h"
#include "tests/install/InstalledFiles.h"
#include "tests/install/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace install_test {
namespace {

namespace fs = std::filesystem;

std::string withoutTrailingNewline(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// Package names of a Depends field, without version constraints
// ("libc6 (>= 2.34), fonts-liberation" -> libc6, fonts-liberation).
std::vector<std::string> dependencyNames(const std::string& depends) {
    std::vector<std::string> names;
    std::istringstream in(depends);
    for (std::string item; std::getline(in, item, ',');) {
        std::istringstream words(item);
        std::string name;
        if (words >> name) names.push_back(name);
    }
    return names;
}

struct ArchiveMember {
    std::string mode;   // "-rwxr-xr-x"
    std::string owner;  // "root/root"
    std::string path;   // "./usr/bin/quilvane"
};

// Lines of `dpkg-deb -c`: mode, owner, size, date, time, path.
std::vector<ArchiveMember> archiveMembers(const std::string& listing) {
    std::vector<ArchiveMember> members;
    std::istringstream in(listing);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        ArchiveMember member;
        std::string size, date, time;
        if (fields >> member.mode >> member.owner >> size >> date >> time >> member.path) members.push_back(member);
    }
    return members;
}

class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_scratch.ok()) << m_scratch.error();
        const CommandResult architecture = runCommand({"dpkg", "--print-architecture"});
        ASSERT_TRUE(architecture.succeeded) << architecture.report;
        m_architecture = withoutTrailingNewline(architecture.standardOutput);

        // cpack writes the package and its staging folder into the scratch
        // folder, so tests running at the same time never share them.
        const fs::path output = m_scratch.path() / "package";
        const CommandResult pack = runCommand(
            {QV_CPACK_COMMAND, "-G", "DEB", "--config", QV_BUILD_DIR "/CPackConfig.cmake", "-B", output.string()});
        ASSERT_TRUE(pack.succeeded) << pack.report;
        m_package = output / ("quilvane_" QV_VERSION "_" + m_architecture + ".deb");
        ASSERT_TRUE(fs::is_regular_file(m_package)) << "cpack made no " << m_package << "\n" << pack.report;
    }

    std::string field(const std::string& name) {
        const CommandResult result = runCommand({"dpkg-deb", "--field", m_package.string(), name});
        EXPECT_TRUE(result.succeeded) << result.report;
        return withoutTrailingNewline(result.standardOutput);
    }

    // Unpacks the package into a scratch root and returns its usr/ folder.
    fs::path unpackedUsr() {
        const fs::path root = m_scratch.path() / "root";
        const CommandResult unpack = runCommand({"dpkg-deb", "--extract", m_package.string(), root.string()});
        EXPECT_TRUE(unpack.succeeded) << unpack.report;
        return root / "usr";
    }

    ScratchDir m_scratch;
    std::string m_architecture;
    fs::path m_package;
};

TEST_F(DebianPackage, ControlDataNamesThePackageVersionArchitectureAndSection) {
    const struct {
        const char* field;
        std::string value;
    } rows[] = {
        {"Package", "quilvane"},     {"Version", QV_VERSION}, {"Architecture", m_architecture},
        {"Section", "science"},      {"Priority", "optional"},
    };
    for (const auto& row : rows) EXPECT_EQ(field(row.field), row.value) << row.field;

    const std::string maintainer = field("Maintainer");
    EXPECT_TRUE(std::regex_match(maintainer, std::regex(R"([^<>]+ <[^<>@ ]+@[^<>@ ]+>)")))
        << "Maintainer: " << maintainer;
    const std::string description = field("Description");
    const std::string summary = description.substr(0, description.find('\n'));
    EXPECT_NE(summary.find("data-acquisition recorder"), std::string::npos) << "Description: " << description;
    EXPECT_NE(description.find('\n'), std::string::npos) << "no long description: " << description;
}

TEST_F(DebianPackage, DependsOnTheLibrariesTheProgramLoadsAndItsFont) {
    const std::string depends = field("Depends");
    const std::vector<std::string> names = dependencyNames(depends);
    // Names of Debian 12's runtime packages, up to the parts that change
    // with a library's ABI version.
    const char* expected[] = {
        "libsdl2-",          // the window and its input
        "libcairo2",         // drawing
        "libpango-1.0-",     // text
        "libpangocairo-1.0-",
        "libx11-",           // the work area and the display connection
        "libstdc++",
        "libc6",
        "fonts-liberation",  // the face the dialog font maps to
    };
    for (const char* prefix : expected) {
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n.rfind(prefix, 0) == 0; }))
            << "no dependency on " << prefix << "* in Depends: " << depends;
    }
    // Headers and static libraries are for building; a user never needs them.
    for (const std::string& name : names) {
        EXPECT_FALSE(name.size() > 4 && name.compare(name.size() - 4, 4, "-dev") == 0)
            << "the package depends on the development package " << name;
    }
}

TEST_F(DebianPackage, HoldsTheInstalledFilesUnderUsrOwnedByRoot) {
    const CommandResult listing = runCommand({"dpkg-deb", "--contents", m_package.string()});
    ASSERT_TRUE(listing.succeeded) << listing.report;
    const std::vector<ArchiveMember> members = archiveMembers(listing.standardOutput);

    std::vector<std::string> files;
    for (const ArchiveMember& member : members) {
        SCOPED_TRACE(member.path);
        EXPECT_EQ(member.owner, "root/root");
        if (member.mode[0] == 'd') {
            EXPECT_EQ(member.mode, "drwxr-xr-x");
            continue;
        }
        files.push_back(member.path);
        EXPECT_EQ(member.mode, member.path == "./usr/bin/quilvane" ? "-rwxr-xr-x" : "-rw-r--r--");
    }
    std::vector<std::string> expected;
    for (const std::string& file : kInstalledFiles) expected.push_back("./usr/" + file);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, expected) << listing.standardOutput;
}

TEST_F(DebianPackage, UnpackedFilesAreTheStrippedProgramItsMenuEntryAndIcons) {
    const fs::path usr = unpackedUsr();
    ASSERT_FALSE(HasFailure());
    expectProgramFile(usr);
    expectMenuEntry(usr);
    expectThemeIcons(usr);

    // Debian ships programs without their symbols and debugging data.
    const CommandResult type = runCommand({"file", "--brief", (usr / "bin/quilvane").string()});
    ASSERT_TRUE(type.succeeded) << type.report;
    EXPECT_NE(type.standardOutput.find(", stripped"), std::string::npos) << type.standardOutput;
}

TEST_F(DebianPackage, ProgramStartsFromTheUnpackedPackageAndClosesWithEscape) {
    const fs::path usr = unpackedUsr();
    ASSERT_FALSE(HasFailure());
    expectStartsAndClosesWithEscape(usr / "bin/quilvane");
}

}  // namespace
}  // namespace install_test
