#pragma once
// Which functions each place may offer, under which settings of the image. One table decides
// it for every form that offers functions: keys, function port inputs, start-up actions, the
// TX/RX, timer and connection rows, and the remote-control and CW ID forms that show them.
#include "model/records/FunctionCodePlaces.h"

#include <cstdint>
#include <span>
#include <vector>

namespace rps::feature {

// True when the function may be chosen in this context with the image as it stands. A code the
// function table does not know is never offered.
bool isFunctionOffered(FunctionContext context, uint16_t code, std::span<const uint8_t> mainArea);

// The choice list of a context: every offered function in table order.
std::vector<uint16_t> offeredFunctions(FunctionContext context, std::span<const uint8_t> mainArea);

} // namespace rps::feature
