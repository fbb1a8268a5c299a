// The repeater's side of the service commands of test mode, tuning and the service tools.
#include "link/ProtocolBytes.h"
#include "sim/SimRepeater.h"

#include <algorithm>
#include <array>

namespace rps::sim {

using namespace rps::proto;

namespace {

// Tuning points whose values travel as two bytes.
constexpr std::array<uint8_t, 22> kTwoBytePoints{0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0x20,
                                                 0x12, 0x30, 0x31, 0x32, 0x33, 0x34, 0x14, 0x60,
                                                 0x61, 0x62, 0x63, 0x64, 0xB4, 0x24};
constexpr std::array<uint8_t, 4> kMoreTwoBytePoints{0x19, 0x1A, 0x1D, 0x87};

// u32 values of the block space as the repeater sends them: high byte first.
void appendBigEndianWords(std::vector<uint8_t>& out, const std::vector<uint8_t>& blocks, std::size_t offset,
                          std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = offset + 4 * i;
        for (int b = 3; b >= 0; --b)
            out.push_back(blocks[at + static_cast<std::size_t>(b)]);
    }
}

} // namespace

uint8_t SimRepeater::pointWidth(uint8_t command) const
{
    const bool two =
        std::find(kTwoBytePoints.begin(), kTwoBytePoints.end(), command) != kTwoBytePoints.end() ||
        std::find(kMoreTwoBytePoints.begin(), kMoreTwoBytePoints.end(), command) != kMoreTwoBytePoints.end();
    return two ? 2 : 1;
}

std::vector<uint8_t> SimRepeater::serviceReplyFor(uint8_t command)
{
    std::vector<uint8_t> reply;
    const uint16_t value = pointValues_.count(command) ? pointValues_[command] : 0x0080;
    if (pointWidth(command) == 2)
        reply.push_back(static_cast<uint8_t>(value >> 8));
    reply.push_back(static_cast<uint8_t>(value & 0xFF));
    return reply;
}

SimRepeater::Parse SimRepeater::handleServiceFrame(uint8_t command, std::size_t& used)
{
    switch (command) {
    case 0x10: { // select test channel: its two frequencies, high byte first
        if (!need(2))
            return Parse::NeedMore;
        used = 2;
        const std::size_t index = rx_[1] >= 1 && rx_[1] <= 16 ? rx_[1] - 1u : 0u;
        std::vector<uint8_t> reply;
        appendBigEndianWords(reply, memory_.blocks, kTestFrequencyOffset + 8 * index, 2);
        sendReply(reply);
        return Parse::Done;
    }
    case 'B': {
        used = 1;
        std::vector<uint8_t> reply;
        appendBigEndianWords(reply, memory_.blocks, kTuningFrequencyOffset, 10);
        sendReply(reply);
        return Parse::Done;
    }
    case 0x0D: // courtesy, test and voting pilot tone
        used = 1;
        sendReply({0x00, 0x64, 0x00, 0xC8, 0x01, 0x2C});
        return Parse::Done;
    case 0x05: { // alignment value dump
        used = 1;
        std::vector<uint8_t> dump(545);
        for (std::size_t i = 0; i < dump.size(); ++i)
            dump[i] = memory_.memory[(kTuningAddress + i) % kMemorySpaceSize];
        sendReply(dump);
        return Parse::Done;
    }
    case 0x07: { // values of the open tuning point
        used = 1;
        uint8_t open = 0;
        for (const auto& [c, on] : switches_)
            if (on)
                open = c;
        sendReply(serviceReplyFor(open));
        return Parse::Done;
    }
    case 0x13: { // version of a unit: two characters
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        sendReply({'0', static_cast<uint8_t>('0' + (rx_[1] & 0x0F))});
        return Parse::Done;
    }
    case '|':
        used = 1;
        sendReply({0x5A, 0x3C});
        return Parse::Done;
    case 'F':
    case 'G':
    case 'L':
    case 'M':
    case 'C':
        used = 1;
        finish(command, true);
        return Parse::Done;
    case 0x08:
    case 0x11:
    case 'O':
        if (!need(2))
            return Parse::NeedMore;
        used = 2;
        finish(command, true);
        return Parse::Done;
    default:
        break;
    }

    if (!need(2))
        return Parse::NeedMore;
    const uint8_t sub = rx_[1];
    if (command == 0xC2 && sub == kOn) {
        if (!need(4))
            return Parse::NeedMore;
        used = 4;
        finish(command, true);
        return Parse::Done;
    }
    if (sub == kQuery) {
        used = 2;
        if (command == 0xC2)
            sendReply({0x00, 0xFA}); // 2.50 % bit errors
        else
            sendReply({static_cast<uint8_t>(serviceReplyFor(command).back())});
        return Parse::Done;
    }
    if (command == 0xB3 && sub == 'R') {
        used = 2;
        sendReply(clockDigits());
        return Parse::Done;
    }
    if (sub == kOn || sub == kOff) {
        used = 2;
        switches_[command] = sub == kOn;
        finish(command, true);
        return Parse::Done;
    }
    if (sub == 'T') {
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        finish(command, rx_[2] == kOn || rx_[2] == kOff);
        return Parse::Done;
    }
    uint16_t& value = pointValues_.try_emplace(command, static_cast<uint16_t>(0x0080)).first->second;
    const std::size_t width = command == 0x21 ? 1 : pointWidth(command);
    if (sub == kStepUp || sub == kStepDown) {
        used = 2;
        value = static_cast<uint16_t>(sub == kStepUp ? value + 1 : value - 1);
        finish(command, true);
        return Parse::Done;
    }
    if (sub == kStepBy || sub == kStepBackBy || sub == kSetValue) {
        if (!need(2 + width))
            return Parse::NeedMore;
        used = 2 + width;
        const uint16_t amount = width == 2 ? word(2) : rx_[2];
        if (sub == kSetValue)
            value = amount;
        else
            value = static_cast<uint16_t>(sub == kStepBy ? value + amount : value - amount);
        finish(command, true);
        return Parse::Done;
    }
    return Parse::Unknown;
}

} // namespace rps::sim
