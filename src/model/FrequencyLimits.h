#pragma once
// Band limits of the current model code, with the VHF/UHF flag and the fine-step option.
// Receive and transmit share the same limits.
#include <cstdint>

namespace rps {

struct FrequencyLimits {
    double lowerMHz = 136.0;
    double upperMHz = 174.0;
    bool uhf = false;
    bool fineStep = false; // the "step" option: VHF may use the 1,250 Hz step

    static FrequencyLimits forModelCode(uint16_t modelCode, bool fineStep);
    bool contains(double mhz) const { return mhz >= lowerMHz && mhz <= upperMHz; }
};

} // namespace rps
