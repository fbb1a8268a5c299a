#pragma once
// What the simulated repeater remembers of a test-mode run: the transmitter, the bit-error rate it
// reports, the tuning point a dialog holds open, the two gains of the gain-balance item and an
// automatic adjustment in progress.
#include <array>
#include <cstdint>

namespace rps::sim {

struct SimTestModeState {
    bool transmitting = false;
    int transmitOffCount = 0;
    uint16_t ber = 250;                   // 2.50 % bit errors
    uint8_t openPoint = 0;                // command byte of the open tuning point, 0 = none
    std::array<uint8_t, 2> gains{62, 63}; // Gain A, Gain B (raw, range code 4)
    bool gainB = false;                   // steps and sets of the gain item move Gain B
    uint8_t automaticPoint = 0;           // point the repeater adjusts by itself, 0 = none
    uint8_t automaticState = 0;           // 0 idle, 1 running, 2 done
    int16_t temperatureTenths = 253;      // 25.3 degrees Celsius
    uint32_t crystalHz = 12'800'000;
};

} // namespace rps::sim
