#include "Fixtures.h"

#include <fstream>
#include <iterator>

namespace resources_test {

namespace {

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot open fixture " << path;
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

FixtureRes::FixtureRes(const std::string& fileName)
    : bytes_(readFile(std::string(QV_RESOURCES_FIXTURE_DIR) + "/" + fileName))
{
    auto parsed = resources::ResourceFile::parse(bytes_);
    if (parsed)
        file_ = parsed.value();
    else
        ADD_FAILURE() << fileName << ": " << parsed.error();
}

std::span<const std::uint8_t> FixtureRes::data(std::uint16_t type, const resources::ResourceName& name,
                                               std::uint16_t language) const
{
    const resources::ResourceEntry* entry = file_.find(resources::ResourceName::id(type), name, language);
    if (!entry) {
        ADD_FAILURE() << "fixture has no resource of type " << type << ", name "
                      << (name.isOrdinal() ? std::to_string(name.ordinal) : name.name);
        return {};
    }
    return entry->data;
}

}  // namespace resources_test
