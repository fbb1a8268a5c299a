// The repeater's side of test mode and tuning: the transmitter, the bit-error rate, the open
// tuning point and the values read back from it. Other service frames are in SimServiceFrames.
#include "link/ProtocolBytes.h"
#include "sim/SimRepeater.h"

namespace rps::sim {

using namespace rps::proto;

namespace {

constexpr uint8_t kGainCommand = 0xB3;
constexpr uint8_t kTransmit = 0x08;
constexpr uint8_t kPointValues = 0x07;
constexpr uint8_t kBer = 0xC2;

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

SimRepeater::Parse SimRepeater::handleTestModeFrame(uint8_t command, std::size_t& used)
{
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
        return command == kTransmit || command == kBer || command == kGainCommand || isTuningPoint(command)
                   ? Parse::NeedMore
                   : Parse::Unknown;
    const uint8_t sub = rx_[1];
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
        if (sub == kStepUp || sub == kStepDown) {
            used = 2;
            testMode_.gains[0] = static_cast<uint8_t>(testMode_.gains[0] + (sub == kStepUp ? 1 : -1));
            finish(command, true);
            return Parse::Done;
        }
        if (sub == kSetValue || sub == kStepBy || sub == kStepBackBy) {
            if (!need(3))
                return Parse::NeedMore;
            used = 3;
            const uint8_t amount = rx_[2];
            uint8_t& gain = testMode_.gains[0];
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
