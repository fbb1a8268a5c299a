#include "sim/SimTuningBlock.h"

#include "model/ByteOrder.h"

#include <array>
#include <utility>

namespace rps::sim {

namespace {

// Runs of two-byte values (from, to) in the block; every other shown value is one byte.
constexpr std::array<std::pair<std::size_t, std::size_t>, 5> kWordRuns{
    {{8, 20}, {28, 48}, {76, 86}, {92, 116}, {186, 236}}};
constexpr std::size_t kShownBytes = 546;

bool inWordRun(std::size_t offset)
{
    for (const auto& [from, to] : kWordRuns)
        if (offset >= from && offset < to)
            return true;
    // The ten 30-byte groups from 236: a 1-byte run of five, another, then two 2-byte runs.
    if (offset >= 236 && offset < 536)
        return (offset - 236) % 30 >= 10;
    return false;
}

} // namespace

void fillAlignedTuningBlock(std::span<uint8_t> block)
{
    setU16(block, 0, 2048);
    setU16(block, 2, static_cast<uint16_t>(-120)); // a signed trim below zero
    setU32(block, 4, 155000000);
    for (std::size_t offset = 8; offset < kShownBytes;) {
        if (inWordRun(offset)) {
            setU16(block, offset, static_cast<uint16_t>(400 + (offset * 37) % 500));
            offset += 2;
        } else {
            block[offset] = static_cast<uint8_t>(90 + (offset * 13) % 80);
            ++offset;
        }
    }
    block[26] = 64; // range-code-4 value +3
    block[150] = 100;
    for (std::size_t i = kShownBytes; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(0x40 + i % 0x40);
}

} // namespace rps::sim
