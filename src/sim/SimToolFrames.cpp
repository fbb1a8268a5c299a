// The repeater's side of the service tools: its real-time clock.
#include "sim/SimRepeater.h"

#include <cstdio>

namespace rps::sim {

std::vector<uint8_t> SimRepeater::clockDigits() const
{
    // The bench clock stands still; a set clock reads back as it was set.
    const LocalTime time = clockSet_.value_or(LocalTime{2026, 12, 7, 10, 30, 0});
    char text[40];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", (time.year - 2000) % 100, time.month % 100,
                  time.day % 100, time.hour % 100, time.minute % 100, time.second % 100);
    return std::vector<uint8_t>(text, text + 12);
}

} // namespace rps::sim
