#pragma once
// Little-endian field access inside a configuration area. Every multi-byte value the
// repeater stores is little-endian; offsets are checked by the caller's area bounds.
#include <cstddef>
#include <cstdint>
#include <span>

namespace rps {

inline uint16_t getU16(std::span<const uint8_t> area, std::size_t offset)
{
    return static_cast<uint16_t>(area[offset] | (area[offset + 1] << 8));
}

inline uint32_t getU32(std::span<const uint8_t> area, std::size_t offset)
{
    return static_cast<uint32_t>(area[offset]) | (static_cast<uint32_t>(area[offset + 1]) << 8) |
           (static_cast<uint32_t>(area[offset + 2]) << 16) | (static_cast<uint32_t>(area[offset + 3]) << 24);
}

inline void setU16(std::span<uint8_t> area, std::size_t offset, uint16_t value)
{
    area[offset] = static_cast<uint8_t>(value & 0xFF);
    area[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void setU32(std::span<uint8_t> area, std::size_t offset, uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        area[offset + i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
}

inline void fillBytes(std::span<uint8_t> area, std::size_t offset, std::size_t count, uint8_t value)
{
    for (std::size_t i = 0; i < count; ++i)
        area[offset + i] = value;
}

} // namespace rps
