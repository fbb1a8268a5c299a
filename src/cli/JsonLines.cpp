#include "cli/JsonLines.h"

namespace rps::cli {

namespace {

constexpr auto kReplaceInvalid = nlohmann::ordered_json::error_handler_t::replace;

} // namespace

std::string jsonValue(const nlohmann::ordered_json& value)
{
    return value.dump(-1, ' ', false, kReplaceInvalid);
}

std::string jsonLine(const nlohmann::ordered_json& object)
{
    std::string line = "{";
    for (const auto& [name, value] : object.items())
        line += (line.size() > 1 ? ", " : "") + jsonValue(name) + ": " + jsonValue(value);
    return line + "}";
}

std::string jsonDocument(const nlohmann::ordered_json& document)
{
    return document.dump(2, ' ', false, kReplaceInvalid) + "\n";
}

} // namespace rps::cli
