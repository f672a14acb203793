// Access to the resource files compiled from fixtures/*.rc, and the check
// that cuts data at every length.
#pragma once

#include "platform/resources/ResourceFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace resources_test {

// A compiled fixture (for example "identity.res"), read and parsed; a
// failure to read or parse it fails the test that asked for it.
class FixtureRes {
public:
    explicit FixtureRes(const std::string& fileName);
    FixtureRes(const FixtureRes&) = delete;
    FixtureRes& operator=(const FixtureRes&) = delete;

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    const resources::ResourceFile& file() const { return file_; }

    // The data of a resource that must exist (an empty span and a test
    // failure otherwise).
    std::span<const std::uint8_t> data(std::uint16_t type, const resources::ResourceName& name,
                                       std::uint16_t language = resources::kLangEnglishUS) const;

private:
    std::vector<std::uint8_t> bytes_;
    resources::ResourceFile file_;
};

// Cuts `whole` at every length short of its own, each cut copied into a
// buffer of exactly that size so that AddressSanitizer reports any read
// past it, and expects `parse` to refuse every cut with a message.
template <class Parse>
void expectEveryCutRefused(std::span<const std::uint8_t> whole, Parse parse)
{
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + length);
        const auto result = parse(std::span<const std::uint8_t>(cut));
        EXPECT_FALSE(result.ok()) << "accepted data cut to " << length << " of " << whole.size()
                                  << " bytes";
        if (!result.ok()) {
            EXPECT_FALSE(result.error().empty()) << "cut to " << length;
        }
    }
}

}  // namespace resources_test
