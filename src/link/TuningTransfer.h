#pragma once
// Reading and writing the repeater's 776-byte tuning block (its alignment values at
// 0xF8F8..0xFBFF) in seven memory windows. Both run the link steps of a read up to the unit
// record ("URK"); a write to another unit than the block came from asks first.
#include "link/Transfers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace rps {

inline constexpr std::size_t kTuningBlockSize = 776;
inline constexpr uint16_t kTuningBlockAddress = 0xF8F8;
inline constexpr int kTuningSteps = 7;
inline constexpr std::size_t kUnitRecordSize = 32;

using TuningBlockBytes = std::array<uint8_t, kTuningBlockSize>;
using UnitRecord = std::array<uint8_t, kUnitRecordSize>;

struct TuningWindow {
    uint16_t address;
    std::size_t offset;
    std::size_t length;
};
// The window of step i (0..6): 8 bytes at 0xF8F8, then 128-byte windows from 0xF900.
TuningWindow tuningWindow(int step);

// Reads the block into `staged` and the unit record into `unit`: 0 = read completely,
// 1 = failed (one message shown), 2 = the port did not close. On a failure `staged` holds
// what came so far and the caller keeps its own block.
int runTuningRead(TransferContext& context, TuningBlockBytes& staged, UnitRecord& unit);

// Writes the block. When the repeater's unit record differs from `unit`, the other-unit
// question is asked before any memory is written. 0 = written, 1 = failed or cancelled,
// 2 = leaving the mode or closing the port failed.
int runTuningWrite(TransferContext& context, const TuningBlockBytes& block, const UnitRecord& unit);

// The unit record as the dialog shows it: the serial number (bytes 16..27, 0xFF as blanks),
// then the identifying bytes 0..15 in hex.
std::string unitRecordText(const UnitRecord& unit);

} // namespace rps
