#pragma once
// The tuning block of an aligned unit: every value inside its range, so the tuning data
// dialog and a tuning-read show what a bench repeater would hold.
#include <cstdint>
#include <span>

namespace rps::sim {

// Fills the 776 bytes at the tuning block's place; the bytes after the shown values keep
// a recognisable pattern.
void fillAlignedTuningBlock(std::span<uint8_t> block);

} // namespace rps::sim
