#include "model/FrequencyText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace rps {

std::string formatFrequency(uint32_t hz, char decimalSeparator)
{
    if (hz == kNoFrequency)
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u%c%06u", hz / 1000000u, decimalSeparator, hz % 1000000u);
    std::string text(buffer);
    // "%9.6lf" pads to at least nine characters.
    while (text.size() < 9)
        text.insert(text.begin(), ' ');
    return text;
}

double parseDecimal(std::string_view text, char decimalSeparator)
{
    std::string normalized;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == decimalSeparator)
            c = '.';
        normalized.push_back(c);
    }
    if (!normalized.empty() && normalized.front() == '+')
        normalized.erase(0, 1);
    double value = 0.0;
    const auto result = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        return normalized.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    if (result.ec != std::errc() || std::isnan(value))
        return 0.0;
    return value;
}

FrequencyEntry applyFrequencyRule(double mhz, const FrequencyLimits& limits)
{
    FrequencyEntry entry;
    if (std::isnan(mhz))
        mhz = 0.0;
    entry.outsideBand = !limits.contains(mhz);

    // Plausibility window: far outside values are replaced by the nearer band edge, values
    // inside the window are kept even when outside the band (the user is warned).
    const double windowLow = limits.uhf ? 327.0 : 100.0;
    const double windowHigh = limits.uhf ? 550.0 : 280.0;
    if (mhz > windowHigh)
        mhz = limits.upperMHz;
    else if (mhz < windowLow)
        mhz = limits.lowerMHz;

    auto hz = static_cast<uint32_t>(std::floor(mhz * 1000000.0 + 0.5));
    const uint32_t fallback = limits.uhf ? 5000u : 3125u;
    const uint32_t vhfSteps[] = {1250u, 2500u, 3125u};
    const uint32_t uhfSteps[] = {3125u, 5000u};
    bool snapped = false;
    if (limits.uhf) {
        for (uint32_t step : uhfSteps)
            snapped = snapped || hz % step == 0;
    } else {
        for (uint32_t step : vhfSteps) {
            if (step == 1250u && !limits.fineStep)
                continue;
            snapped = snapped || hz % step == 0;
        }
    }
    if (!snapped)
        hz -= hz % fallback;
    entry.hz = hz;
    return entry;
}

FrequencyEntry parseFrequency(std::string_view text, const FrequencyLimits& limits, char decimalSeparator)
{
    return applyFrequencyRule(parseDecimal(text, decimalSeparator), limits);
}

} // namespace rps
