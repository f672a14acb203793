// ScratchDir - a private, freshly made temporary folder for one test,
// removed with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace install_test {

class ScratchDir {
public:
    // Made under $TMPDIR (or /tmp) with a unique name; ok() tells whether
    // that worked, error() why not.
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool ok() const { return !m_path.empty(); }
    const std::string& error() const { return m_error; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::string m_error;
};

}  // namespace install_test
