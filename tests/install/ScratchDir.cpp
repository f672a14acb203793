#include "tests/install/ScratchDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

namespace install_test {

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quilvane-install-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data())) {
        m_path = buffer.data();
    } else {
        m_error = "cannot make a temporary folder from \"" + pattern + "\": " + std::strerror(errno);
    }
}

ScratchDir::~ScratchDir() {
    if (m_path.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace install_test
