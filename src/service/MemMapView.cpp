#include "service/MemMapView.h"

#include "model/ConfigImage.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <cstdio>

namespace rps {

std::string memMapLineHeader(std::size_t lineAddress)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "   %.3zX_", lineAddress / kMemMapBytesPerLine);
    return buffer;
}

std::string memMapColumnHeader(int column)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "__%X", static_cast<unsigned>(column) & 0xFu);
    return buffer;
}

std::string memMapHexCell(uint8_t byte)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%.2X", byte);
    return buffer;
}

std::string memMapCharCell(uint8_t byte)
{
    return std::string(1, byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.');
}

namespace {
std::optional<unsigned> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return std::nullopt;
}
} // namespace

std::optional<uint8_t> parseMemMapHexEntry(std::string_view text)
{
    if (text.empty())
        return 0xFF;
    if (text.size() > 2)
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const auto digit = hexDigit(c);
        if (!digit)
            return std::nullopt;
        value = value * 16 + *digit;
    }
    return static_cast<uint8_t>(value);
}

std::optional<std::size_t> parseMemMapAddress(std::string_view text, std::size_t baseAddress,
                                              std::size_t length)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    std::size_t address = 0;
    for (char c : text) {
        const auto digit = hexDigit(c);
        if (!digit)
            return std::nullopt;
        address = address * 16 + *digit;
    }
    if (address < baseAddress || address - baseAddress >= length)
        return std::nullopt;
    return address - baseAddress;
}

MemMapWriteResult writeMemMapByte(const MemMapWindow& window, std::span<uint8_t> mainArea, std::size_t offset,
                                  uint8_t value)
{
    if (offset >= window.bytes.size())
        return {};
    const uint8_t previous = window.bytes[offset];
    window.bytes[offset] = value;
    const std::size_t imageOffset = window.mainAreaOffset + offset;
    const bool inModelBlock = window.inMainArea && imageOffset >= kModelBlockOffset &&
                              imageOffset < kModelBlockOffset + kModelBlockSize;
    if (inModelBlock && !isModelBlockValid(readModelBlock(mainArea))) {
        window.bytes[offset] = previous;
        return {false, kMemMapRefusedText};
    }
    return {true, 0};
}

} // namespace rps
