#pragma once
// The places of the main area that hold function codes (front-panel keys, function port,
// start-up actions, TX/RX events, timers, connections), each a group of three u16 slots that
// fill from the first. Removing a function empties every slot that holds it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rps {

inline constexpr uint16_t kNoFunction = 0x2020;

// Channel-select codes: low byte '!' with the channel number 1..30 in the high byte.
constexpr uint16_t channelSelectCode(int channelIndex)
{
    return static_cast<uint16_t>(0x21 | ((channelIndex + 1) << 8));
}

// Where a function is chosen decides which functions are offered there: the function port
// inputs, the start-up actions, the four TX/RX event rows, the timer rows, the connection rows
// and the front-panel keys. The numbers are the repeater's own context numbers.
enum class FunctionContext : uint8_t {
    kPort = 2,
    kStartUp = 6,
    kTxRx1 = 7,
    kTimer = 8,
    kConnection = 9,
    kKeys = 10,
    kTxRx2 = 13,
    kTxRx3 = 14,
    kTxRx4 = 15,
};

// One three-slot group and what it belongs to. A key or an input has a remote-control entry
// that follows its function: it is reset whenever the group's first slot changes.
struct FunctionPlace {
    std::size_t offset = 0; // first slot
    FunctionContext context = FunctionContext::kKeys;
    std::optional<std::size_t> remoteEntry; // its remote-control entry, when it has one
};

const std::vector<FunctionPlace>& functionPlaces();
// Start offsets of every three-slot group.
const std::vector<std::size_t>& functionSlotGroups();
// The place whose group starts at this offset.
const FunctionPlace* functionPlaceAt(std::size_t groupOffset);

// Stores a code in slot 0..2 of a group; storing "no function" empties the later slots too.
// A changed first slot resets the place's remote-control entry. Returns true when anything
// changed; a slot outside 0..2 or an offset that is not a group changes nothing.
bool setFunctionSlot(std::span<uint8_t> mainArea, std::size_t groupOffset, int slot, uint16_t code);

// Replaces each listed code by "no function" in every group; the slots after an emptied one
// are emptied too, so a group never has a gap, and a key or input whose first slot was emptied
// loses its remote-control entry as it would when the user changed it. Returns true when
// anything changed.
bool removeFunctionCodes(std::span<uint8_t> mainArea, std::span<const uint16_t> codes);

// A deleted channel takes its channel-select code with it (channel index 0..29).
bool removeChannelFunction(std::span<uint8_t> mainArea, int channelIndex);

// Resets a remote-control entry: no activation code, no deactivation code, type 0.
void resetRemoteEntry(std::span<uint8_t> mainArea, std::size_t entryOffset);

} // namespace rps
