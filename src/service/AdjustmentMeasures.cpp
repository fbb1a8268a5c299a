// What the adjustment dialogs measure while a point is open: the crystal oscillation frequency,
// the VCO lock voltage and the temperature, and the repeater's automatic adjustment of a point.
#include "service/AdjustmentSession.h"

#include <cstdio>
#include <cstdlib>

namespace rps {

namespace {

constexpr uint8_t kCrystalCommand = 0x23;    // C, QUERY -> 3 bytes: Hz, high byte first
constexpr uint8_t kTemperatureCommand = 'Y'; // 'Y', QUERY -> sign, tenths of a degree Celsius
constexpr uint8_t kAutomaticStateMax = 2;

} // namespace

std::string temperatureText(int tenthsCelsius, bool fahrenheit)
{
    // Tenths of a degree throughout, so Fahrenheit rounds once.
    const int tenths =
        fahrenheit ? (tenthsCelsius * 9 + (tenthsCelsius < 0 ? -2 : 2)) / 5 + 320 : tenthsCelsius;
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                  std::abs(tenths) % 10);
    return text;
}

bool AdjustmentSession::readCrystalFrequency(uint32_t& hz)
{
    std::array<uint8_t, 3> reply{};
    if (!testMode_.run([&] { return link_.queryThreeBytes(kCrystalCommand, reply); }))
        return false;
    hz = static_cast<uint32_t>(reply[0]) << 16 | static_cast<uint32_t>(reply[1]) << 8 | reply[2];
    return true;
}

bool AdjustmentSession::readLockVoltage(int& millivolts)
{
    std::array<uint8_t, 2> reply{};
    if (!testMode_.run([&] { return link_.readTwoByteStatus(reply); }))
        return false;
    millivolts = reply[0] << 8 | reply[1];
    return true;
}

bool AdjustmentSession::readTemperature(int& tenthsCelsius)
{
    std::array<uint8_t, 3> reply{};
    if (!testMode_.run([&] { return link_.queryThreeBytes(kTemperatureCommand, reply); }))
        return false;
    const int magnitude = reply[1] << 8 | reply[2];
    tenthsCelsius = reply[0] != 0 ? -magnitude : magnitude;
    return true;
}

bool AdjustmentSession::startAutomatic()
{
    if (!open_ || automatic_)
        return false;
    const uint8_t c = command();
    if (!testMode_.run([&] { return link_.switchTestFunction(c, true); }))
        return false;
    automatic_ = true;
    return true;
}

bool AdjustmentSession::stopAutomatic()
{
    if (!automatic_)
        return true;
    const uint8_t c = command();
    if (!testMode_.run([&] { return link_.switchTestFunction(c, false); }))
        return false;
    automatic_ = false;
    // The repeater kept the value it reached: the dialog shows it as the applied value.
    return readValues();
}

bool AdjustmentSession::readAutomatic(AutomaticReport& report)
{
    std::array<uint8_t, 5> reply{};
    // The two 16-bit values arrive reordered to host order (low byte first).
    if (!testMode_.run([&] { return link_.queryFiveBytes(reply); }))
        return false;
    report.state = static_cast<AutomaticState>(reply[0] <= kAutomaticStateMax ? reply[0] : 0);
    report.if20 = reply[1] | reply[2] << 8;
    report.data = reply[3] | reply[4] << 8;
    if (automatic_ && report.state == AutomaticState::Done)
        return stopAutomatic();
    return true;
}

} // namespace rps
