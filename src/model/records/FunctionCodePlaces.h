#pragma once
// The places of the main area that hold function codes (front-panel keys, function port,
// start-up actions, TX/RX events, timers, connections), each a group of three u16 slots that
// fill from the first. Removing a function empties every slot that holds it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rps {

inline constexpr uint16_t kNoFunction = 0x2020;

// Channel-select codes: low byte '!' with the channel number 1..30 in the high byte.
constexpr uint16_t channelSelectCode(int channelIndex)
{
    return static_cast<uint16_t>(0x21 | ((channelIndex + 1) << 8));
}

// Start offsets of every three-slot group.
const std::vector<std::size_t>& functionSlotGroups();

// Replaces each listed code by "no function" in every group; the slots after an emptied one
// are emptied too, so a group never has a gap. Returns true when anything changed.
bool removeFunctionCodes(std::span<uint8_t> mainArea, std::span<const uint16_t> codes);

} // namespace rps
