#pragma once
// Frequencies as the user sees them: MHz text with the locale's decimal separator, parsed
// and formatted without touching the process locale, and the channel frequency rule
// (plausibility window, band check, step snapping) shared by every frequency field.
#include "model/FrequencyLimits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rps {

inline constexpr uint32_t kNoFrequency = 0xFFFFFFFF;

// "%9.6lf" of hz / 1e6 with the given decimal separator; empty for kNoFrequency.
std::string formatFrequency(uint32_t hz, char decimalSeparator = '.');

// Reads the leading number of a typed text the way the repeater's dealers type it: leading
// blanks skipped, '.' or the given separator as decimal point; text that is not a number
// reads as 0. Never depends on the C library locale.
double parseDecimal(std::string_view text, char decimalSeparator = '.');

struct FrequencyEntry {
    uint32_t hz = kNoFrequency;
    bool outsideBand = false; // the typed value was not inside the band limits: warn the user
};

// Applies the channel frequency rule to a typed MHz value.
FrequencyEntry applyFrequencyRule(double mhz, const FrequencyLimits& limits);
FrequencyEntry parseFrequency(std::string_view text, const FrequencyLimits& limits,
                              char decimalSeparator = '.');

} // namespace rps
