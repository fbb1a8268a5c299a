#pragma once
// The remote-control settings name DTMF codes by number: 0x00..0x27 decode codes 1..40,
// 0x80..0x9F encode codes 1..32, 0xFF no code. A code that becomes empty takes every
// reference to it along.
#include "model/SignallingMap.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace rps::signalling {

// The code number of encode row 0..31 and decode row 0..39.
constexpr uint8_t encodeCodeNumber(int row)
{
    return static_cast<uint8_t>(kEncodeCodeBase + row);
}
constexpr uint8_t decodeCodeNumber(int row)
{
    return static_cast<uint8_t>(row);
}

// Sets every remote-control code byte equal to `code` to "no code"; true when one was.
bool removeCodeReferences(std::span<uint8_t> mainArea, uint8_t code);

} // namespace rps::signalling
