#pragma once
// What the simulated repeater remembers of a test-mode run: the transmitter, the bit-error rate it
// reports, the tuning point a dialog holds open and the two gains of the gain-balance item.
#include <array>
#include <cstdint>

namespace rps::sim {

struct SimTestModeState {
    bool transmitting = false;
    int transmitOffCount = 0;
    uint16_t ber = 250;                   // 2.50 % bit errors
    uint8_t openPoint = 0;                // command byte of the open tuning point, 0 = none
    std::array<uint8_t, 2> gains{62, 63}; // Gain A, Gain B (raw, range code 4)
};

} // namespace rps::sim
