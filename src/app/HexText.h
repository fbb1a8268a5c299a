#pragma once
// Byte strings kept in the settings as two hexadecimal digits per byte separated by colons
// ("52:51:4C:..."), as the model block, the security password and the installation
// identifier are stored.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

std::string formatHexBytes(std::span<const uint8_t> bytes);
// Exactly count bytes of one or two hexadecimal digits each (either letter case), separated by
// single colons; anything else gives nothing.
std::optional<std::vector<uint8_t>> parseHexBytes(std::string_view text, std::size_t count);

} // namespace rps
