#pragma once
// The password bytes a frame may carry, for the serial trace to mask: the two data passwords
// in main-area block 2 and the embedded-message password at radio address 0xFD40.
#include "link/LinkTrace.h"

#include <cstdint>
#include <vector>

namespace rps {

// The data password bytes of a block frame whose data starts after `header` bytes.
std::vector<LinkTrace::MaskRange> blockSecrets(uint16_t block, std::size_t header);
// The message password bytes inside a memory frame of length bytes at address.
std::vector<LinkTrace::MaskRange> memorySecrets(uint16_t address, std::size_t length, std::size_t header);

} // namespace rps
