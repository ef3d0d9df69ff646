#include "platform/toolkit/Resources.h"

#include "platform/base/Exceptions.h"

#include <map>
#include <memory>

namespace xe::tk {

namespace {
struct TResourceTable {
    std::map<std::string, std::string_view> Items;
    std::vector<std::unique_ptr<std::string>> Copies;
};
TResourceTable& Table()
{
    static TResourceTable table;
    return table;
}
}

void RegisterResource(std::string const& name, uint8_t const* data, size_t size)
{
    Table().Items[name] = std::string_view(reinterpret_cast<char const*>(data), size);
}

void RegisterResourceCopy(std::string const& name, std::string bytes)
{
    auto& table = Table();
    table.Copies.push_back(std::make_unique<std::string>(std::move(bytes)));
    table.Items[name] = *table.Copies.back();
}

bool ResourceExists(std::string const& name) { return Table().Items.count(name) != 0; }

std::string_view FindResourceData(std::string const& name)
{
    auto& items = Table().Items;
    auto it = items.find(name);
    if (it == items.end())
        throw xe::base::EFileError("Resource " + name + " not found");
    return it->second;
}

std::vector<std::string> ResourceNames()
{
    std::vector<std::string> names;
    for (auto& [name, data] : Table().Items)
        names.push_back(name);
    return names;
}

} // namespace xe::tk
