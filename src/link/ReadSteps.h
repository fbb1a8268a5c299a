#pragma once
// The reads a read transfer is made of, shared with the write's read-back so that both
// exchange exactly the same frames.
#include "link/Transfers.h"

#include <span>

namespace rps::transfer {

// The 160 main-area blocks into main, showing steps firstStep+1..firstStep+160 of total. A
// failure shows text 773, leaves the mode and closes the port.
int readMainBlocks(TransferContext& context, std::span<uint8_t> main, int firstStep, int total);

// The first `windows` 256-byte windows of the auxiliary block (the fifth, offsets 1024..1279,
// comes from 0xFD00), showing steps firstStep+1.. of total. A failure shows text 773,
// repaints, leaves the mode and closes the port.
int readAuxWindows(TransferContext& context, std::span<uint8_t> aux, int windows, int firstStep, int total);

} // namespace rps::transfer
