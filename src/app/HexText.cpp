#include "app/HexText.h"

namespace rps {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string formatHexBytes(std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += ':';
        }
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

std::optional<std::vector<uint8_t>> parseHexBytes(std::string_view text, std::size_t count)
{
    std::vector<uint8_t> bytes;
    std::size_t pos = 0;
    while (bytes.size() < count) {
        if (!bytes.empty()) {
            if (pos >= text.size() || text[pos] != ':') {
                return std::nullopt;
            }
            ++pos;
        }
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos < text.size() && hexDigit(text[pos]) >= 0) {
            value = value * 16 + hexDigit(text[pos]);
            ++pos;
            ++digits;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace rps
