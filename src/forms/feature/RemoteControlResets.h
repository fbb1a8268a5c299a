#pragma once
// Remote-control entries that the feature forms reset: a DTMF assignment belongs to the
// function of a key, an input or an output, so it goes when that function changes. Each entry
// is three bytes (activation code, deactivation code, type), reset to 0xFF, 0xFF, 0x00.
#include "model/FeatureMap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace rps::feature {

// The runs of remote-control entries, one entry per key, input or output.
struct RemoteRun {
    std::size_t start;
    int count;
};
inline constexpr RemoteRun kRemoteKeyRun{kRemoteKeys, kKeyCount};
inline constexpr RemoteRun kRemoteFixedInputRun{kRemoteFixedInputs, kFixedInputCount};
inline constexpr RemoteRun kRemotePortInputRun{kRemotePortInputs, kPortCount};
inline constexpr RemoteRun kRemoteFixedOutputRun{kRemoteFixedOutputs, kFixedOutputCount};
inline constexpr RemoteRun kRemotePortOutputRun{kRemotePortOutputs, kPortCount};
inline constexpr RemoteRun kRemoteRuns[] = {kRemoteKeyRun, kRemoteFixedInputRun, kRemotePortInputRun,
                                            kRemoteFixedOutputRun, kRemotePortOutputRun};

// Offset of entry 1..count of a run; nothing for a number outside the run.
std::optional<std::size_t> remoteEntryOffset(const RemoteRun& run, int number);

// Each resets one entry and returns false (changing nothing) for a number out of range.
bool resetKeyRemote(std::span<uint8_t> mainArea, int key);          // keys 1..6
bool resetFixedInputRemote(std::span<uint8_t> mainArea, int input); // fixed inputs 1..3
bool resetFixedOutputRemote(std::span<uint8_t> mainArea, int row);  // fixed outputs 1..5
bool resetPortOutputRemote(std::span<uint8_t> mainArea, int port);  // ports 1..6
bool resetPortInputRemote(std::span<uint8_t> mainArea, int port);   // ports 1..6
// A port's input and output entries both: its mode decides which of them the repeater uses.
bool resetPortRemote(std::span<uint8_t> mainArea, int port);

// Every entry of a run.
void resetRemoteRun(std::span<uint8_t> mainArea, const RemoteRun& run);

} // namespace rps::feature
