// The repeater's side of test mode and tuning: the transmitter, the bit-error rate, the open
// tuning point and the values read back from it, the measured values and the automatic
// adjustment. Other service frames are in SimServiceFrames.
#include "link/ProtocolBytes.h"
#include "sim/SimRepeater.h"

#include <algorithm>
#include <cstdlib>

namespace rps::sim {

using namespace rps::proto;

namespace {

constexpr uint8_t kGainCommand = 0xB3;
constexpr uint8_t kTransmit = 0x08;
constexpr uint8_t kPointValues = 0x07;
constexpr uint8_t kBer = 0xC2;
constexpr uint8_t kAutomaticReport = 0x20; // with QUERY; the point 0x20 itself is key 8's
constexpr uint8_t kCrystal = 0x23;
constexpr uint8_t kTemperature = 'Y';
constexpr uint8_t kLockVoltage = '}';
constexpr uint16_t kAutomaticTarget = 0x60; // where the automatic adjustment settles
constexpr int kIfAtTarget = 2000;

// Command bytes of the tuning points (the per-point bytes of the tuning items); 0x6D (test tone)
// and 'u' (transmit power) switch other things.
bool isTuningPoint(uint8_t command)
{
    return (command >= 0x12 && command <= 0x20 && command != 0x13 && command != 0x15 && command != 0x16) ||
           command == 0x24 || (command >= 0x30 && command <= 0x39) ||
           (command >= 0x60 && command <= 0x79 && command != 0x6D && command != 0x75) ||
           (command >= 0x8C && command <= 0x9D) || (command >= 0xA7 && command <= 0xB4 && command != 0xB3) ||
           (command >= 0xC6 && command <= 0xF7 && command != 0xE7);
}

} // namespace

std::vector<uint8_t> SimRepeater::automaticReport()
{
    SimTestModeState& t = testMode_;
    const uint8_t point = t.automaticPoint != 0 ? t.automaticPoint : t.openPoint;
    uint16_t& value = pointValues_.try_emplace(point, static_cast<uint16_t>(0x0080)).first->second;
    if (t.automaticPoint != 0 && t.automaticState == 1) {
        // Each report finds the value half way nearer to where the repeater settles.
        const int distance = static_cast<int>(kAutomaticTarget) - value;
        value = static_cast<uint16_t>(value + (distance / 2 != 0 ? distance / 2 : distance));
        if (value == kAutomaticTarget)
            t.automaticState = 2;
    }
    const int ifLevel = std::max(0, kIfAtTarget - 10 * std::abs(static_cast<int>(kAutomaticTarget) - value));
    return {t.automaticState, static_cast<uint8_t>(ifLevel >> 8), static_cast<uint8_t>(ifLevel & 0xFF),
            static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

uint16_t SimRepeater::lockMillivolts() const
{
    const uint8_t open = testMode_.openPoint;
    const auto found = pointValues_.find(open);
    if (open == 0)
        return 0;
    const int value = found != pointValues_.end() ? found->second : 0x0080;
    return static_cast<uint16_t>(value * 5000 / (pointWidth(open) == 2 ? 4095 : 255));
}

SimRepeater::Parse SimRepeater::handleTestModeFrame(uint8_t command, std::size_t& used)
{
    if (command == kLockVoltage) {
        used = 1;
        const uint16_t mv = lockMillivolts();
        sendReply({static_cast<uint8_t>(mv >> 8), static_cast<uint8_t>(mv & 0xFF)});
        return Parse::Done;
    }
    if (command == kPointValues) {
        used = 1;
        const uint8_t open = testMode_.openPoint;
        if (open == kGainCommand)
            sendReply({testMode_.gains[0], testMode_.gains[1]});
        else
            sendReply(serviceReplyFor(open));
        return Parse::Done;
    }
    if (!need(2))
        return command == kTransmit || command == kBer || command == kGainCommand || command == kCrystal ||
                       command == kTemperature || isTuningPoint(command)
                   ? Parse::NeedMore
                   : Parse::Unknown;
    const uint8_t sub = rx_[1];
    if (sub == kQuery && (command == kAutomaticReport || command == kCrystal || command == kTemperature)) {
        used = 2;
        if (command == kAutomaticReport) {
            sendReply(automaticReport());
        } else if (command == kCrystal) {
            const uint32_t hz = testMode_.crystalHz;
            sendReply(
                {static_cast<uint8_t>(hz >> 16), static_cast<uint8_t>(hz >> 8), static_cast<uint8_t>(hz)});
        } else {
            const int t = testMode_.temperatureTenths;
            const int magnitude = std::abs(t);
            sendReply({static_cast<uint8_t>(t < 0 ? 1 : 0), static_cast<uint8_t>(magnitude >> 8),
                       static_cast<uint8_t>(magnitude & 0xFF)});
        }
        return Parse::Done;
    }
    if (sub == 'T' && (command == kGainCommand || isTuningPoint(command))) {
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        const bool on = rx_[2] == kOn;
        if (command == kGainCommand) {
            testMode_.gainB = on; // Gain B while on
        } else {
            testMode_.automaticPoint = on ? command : 0;
            testMode_.automaticState = on ? 1 : 0;
        }
        finish(command, rx_[2] == kOn || rx_[2] == kOff);
        return Parse::Done;
    }
    if (command == kTransmit && (sub == kOn || sub == kOff)) {
        used = 2;
        testMode_.transmitting = sub == kOn;
        if (sub == kOff)
            ++testMode_.transmitOffCount;
        finish(command, true);
        return Parse::Done;
    }
    if (command == kBer && sub == kQuery) {
        used = 2;
        sendReply({static_cast<uint8_t>(testMode_.ber >> 8), static_cast<uint8_t>(testMode_.ber & 0xFF)});
        return Parse::Done;
    }
    if (command == kGainCommand) {
        if (sub == kQuery) { // Gain A first
            used = 2;
            sendReply({testMode_.gains[0], testMode_.gains[1]});
            return Parse::Done;
        }
        if (sub == kOn || sub == kOff) {
            used = 2;
            testMode_.openPoint = sub == kOn ? command : 0;
            finish(command, true);
            return Parse::Done;
        }
        uint8_t& gain = testMode_.gains[testMode_.gainB ? 1 : 0];
        if (sub == kStepUp || sub == kStepDown) {
            used = 2;
            gain = static_cast<uint8_t>(gain + (sub == kStepUp ? 1 : -1));
            finish(command, true);
            return Parse::Done;
        }
        if (sub == kSetValue || sub == kStepBy || sub == kStepBackBy) {
            if (!need(3))
                return Parse::NeedMore;
            used = 3;
            const uint8_t amount = rx_[2];
            gain = sub == kSetValue ? amount
                                    : static_cast<uint8_t>(sub == kStepBy ? gain + amount : gain - amount);
            finish(command, true);
            return Parse::Done;
        }
        return Parse::Unknown;
    }
    if (isTuningPoint(command) && command != 0x20 && sub == kQuery) {
        used = 2;
        sendReply(serviceReplyFor(command));
        return Parse::Done;
    }
    if (isTuningPoint(command) && (sub == kOn || sub == kOff)) {
        used = 2;
        switches_[command] = sub == kOn;
        if (sub == kOn)
            testMode_.openPoint = command;
        else if (testMode_.openPoint == command)
            testMode_.openPoint = 0;
        finish(command, true);
        return Parse::Done;
    }
    return Parse::Unknown;
}

} // namespace rps::sim
