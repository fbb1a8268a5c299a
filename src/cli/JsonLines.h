#pragma once
// JSON output of the command-line tool, written with nlohmann-json. Values are escaped by the
// library; a byte sequence that is not UTF-8 (a text a repeater stored in another code page)
// becomes U+FFFD rather than ending the program.
#include <nlohmann/json.hpp>

#include <string>

namespace rps::cli {

// A value as JSON text on one line.
std::string jsonValue(const nlohmann::ordered_json& value);

// An object on one line, keys in their order, as show prints its fields:
// {"key": "channel.1.rx-frequency", "caption": "...", "enabled": true}
std::string jsonLine(const nlohmann::ordered_json& object);

// A whole document, indented by two spaces, with a final line feed.
std::string jsonDocument(const nlohmann::ordered_json& document);

} // namespace rps::cli
