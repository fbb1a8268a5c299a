#include "app/SettingsStore.h"

#include <charconv>

namespace rps {

std::optional<std::string> MemorySettingsStore::readString(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<int> MemorySettingsStore::readInt(const std::string& name) const
{
    const auto text = readString(name);
    if (!text) {
        return std::nullopt;
    }
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end || text->empty()) {
        return std::nullopt;
    }
    return value;
}

void MemorySettingsStore::writeString(const std::string& name, const std::string& value)
{
    values_[name] = value;
}

void MemorySettingsStore::writeInt(const std::string& name, int value)
{
    values_[name] = std::to_string(value);
}

} // namespace rps
