// Information reads, clock, passwords and the service commands of test mode, tuning and the
// service tools.
#include "link/ProtocolBytes.h"
#include "link/RadioLink.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace rps {

using namespace proto;

int RadioLink::readInformation(std::string_view command, std::span<uint8_t> destination)
{
    return exchange([&] {
        std::vector<uint8_t> reply(destination.size() + 2);
        if (!writeText(command) || !readBuffer(reply) || !writeByte(kAck))
            return kLinkFailed;
        uint8_t last = 0;
        if (!readByte(last) || last != kAck || reply.front() != kInfoReply)
            return kLinkFailed;
        const std::span<const uint8_t> data(reply.data() + 1, destination.size());
        if (reply.back() != sum8(data))
            return kLinkFailed;
        std::copy(data.begin(), data.end(), destination.begin());
        return kLinkOk;
    });
}

namespace {

// The repeater counts years from 2000 in one byte.
uint8_t yearByte(int year)
{
    return static_cast<uint8_t>((year + 48) % 256);
}

} // namespace

int RadioLink::setRadioClock(const LocalTime& time)
{
    return exchange([&] {
        const std::array<uint8_t, 6> fields{yearByte(time.year),
                                            static_cast<uint8_t>(time.month),
                                            static_cast<uint8_t>(time.day),
                                            static_cast<uint8_t>(time.hour),
                                            static_cast<uint8_t>(time.minute),
                                            static_cast<uint8_t>(time.second)};
        if (!writeByte(kSetClock) || !writeBuffer(fields))
            return kLinkFailed;
        return answer();
    });
}

int RadioLink::setDateStamp(const LocalTime& time)
{
    return exchange([&] {
        const std::array<uint8_t, 4> fields{yearByte(time.year), static_cast<uint8_t>(time.month),
                                            static_cast<uint8_t>(time.day), kLeave};
        if (!writeByte(kDateStamp) || !writeBuffer(fields))
            return kLinkFailed;
        return answer();
    });
}

namespace {

int passwordResult(bool answered, uint8_t byte)
{
    if (!answered)
        return kLinkFailed;
    return byte == kAck ? kLinkOk : kLinkRefused;
}

} // namespace

int RadioLink::checkWritePassword(const PasswordBytes& password)
{
    return exchange([&] {
        if (trace() != nullptr)
            trace()->maskSent({{1, password.size()}});
        if (!writeByte(kWritePassword) || !writeBuffer(password))
            return kLinkFailed;
        uint8_t byte = 0;
        const bool answered = readByte(byte);
        return passwordResult(answered, byte);
    });
}

int RadioLink::checkMessagePassword(const PasswordBytes& password)
{
    return exchange([&] {
        delay(50);
        if (trace() != nullptr)
            trace()->maskSent({{1, password.size()}});
        if (!writeByte(kMessagePassword) || !writeBuffer(password))
            return kLinkFailed;
        uint8_t byte = 0;
        const bool answered = readByte(byte);
        return passwordResult(answered, byte);
    });
}

int RadioLink::readProductInfo(std::span<uint8_t, 12> destination)
{
    return exchange([&] { return writeByte(kProductInfo) ? replyAndAck(destination, false) : kLinkFailed; });
}

int RadioLink::selectTestChannel(uint8_t number, std::span<uint8_t, 8> frequencies)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0x10, number};
        return writeBuffer(frame) ? replyAndAck(frequencies, true) : kLinkFailed;
    });
}

int RadioLink::selectTestSignalling(uint8_t number)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0x11, number};
        return writeBuffer(frame) ? answer() : kLinkFailed;
    });
}

int RadioLink::readTuningFrequencies(std::span<uint8_t, 40> destination)
{
    return exchange([&] { return writeByte('B') ? replyAndAck(destination, true) : kLinkFailed; });
}

int RadioLink::readToneValues(std::span<uint8_t, 6> destination)
{
    return exchange([&] { return writeByte(0x0D) ? replyAndAck(destination, true) : kLinkFailed; });
}

int RadioLink::readAlignmentDump(std::span<uint8_t> destination)
{
    return exchange([&] {
        if (!writeByte(0x05))
            return kLinkFailed;
        delay(200);
        if (!readBuffer(destination))
            return kLinkFailed;
        delay(50);
        return writeByte(kAck) ? answer() : kLinkFailed;
    });
}

int RadioLink::readPointValues(std::span<uint8_t> destination, bool swapPairs)
{
    return exchange([&] {
        if (!writeByte(0x07))
            return kLinkFailed;
        const int result = replyAndAck(destination, false);
        if (result == kLinkOk && swapPairs) {
            for (std::size_t i = 0; i + 1 < destination.size(); i += 2)
                std::swap(destination[i], destination[i + 1]);
        }
        return result;
    });
}

int RadioLink::setTransmit(bool on)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0x08, on ? kOn : kOff};
        return writeBuffer(frame) ? answerWithin(on ? 800 : 2600) : kLinkFailed;
    });
}

int RadioLink::switchFunction(uint8_t command, bool on)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{command, on ? kOn : kOff};
        return writeBuffer(frame) ? answer() : kLinkFailed;
    });
}

int RadioLink::switchTestFunction(uint8_t command, bool on)
{
    return exchange([&] {
        const std::array<uint8_t, 3> frame{command, 'T', on ? kOn : kOff};
        return writeBuffer(frame) ? answer() : kLinkFailed;
    });
}

int RadioLink::queryValue(uint8_t command, uint8_t& value)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{command, kQuery};
        return writeBuffer(frame) ? replyAndAck(std::span<uint8_t>(&value, 1), false) : kLinkFailed;
    });
}

int RadioLink::startBerOutput(uint8_t first, uint8_t second)
{
    return exchange([&] {
        const std::array<uint8_t, 4> frame{0xC2, kOn, first, second};
        return writeBuffer(frame) ? answer() : kLinkFailed;
    });
}

int RadioLink::stopBerOutput()
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0xC2, kOff};
        return writeBuffer(frame) ? answer() : kLinkFailed;
    });
}

int RadioLink::queryBer(std::span<uint8_t, 2> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0xC2, kQuery};
        if (!writeBuffer(frame) || !readBuffer(destination))
            return kLinkFailed;
        delay(50);
        return writeByte(kAck) ? answer() : kLinkFailed;
    });
}

int RadioLink::queryThreeBytes(uint8_t command, std::span<uint8_t, 3> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{command, kQuery};
        return writeBuffer(frame) ? replyAndAck(destination, true) : kLinkFailed;
    });
}

int RadioLink::queryFiveBytes(std::span<uint8_t, 5> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0x20, kQuery};
        std::array<uint8_t, 5> reply{};
        if (!writeBuffer(frame))
            return kLinkFailed;
        const int result = replyAndAck(reply, true);
        if (result == kLinkOk) {
            const std::array<std::size_t, 5> order{0, 2, 1, 4, 3};
            for (std::size_t i = 0; i < order.size(); ++i)
                destination[i] = reply[order[i]];
        }
        return result;
    });
}

int RadioLink::queryTwoBytes(std::span<uint8_t, 2> destination, bool sendCommand)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0xB3, kQuery};
        if (sendCommand && !writeBuffer(frame))
            return kLinkFailed;
        if (!readBuffer(destination))
            return kLinkRefused;
        if (!writeByte(kAck))
            return kLinkFailed;
        uint8_t last = 0;
        return readByte(last) && (last == kAck || last == kNak) ? kLinkOk : kLinkFailed;
    });
}

int RadioLink::readRadioClock(std::span<uint8_t> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{0xB3, 'R'};
        return writeBuffer(frame) ? replyAndAck(destination, false) : kLinkFailed;
    });
}

int RadioLink::readFirmwareChecksum(std::span<uint8_t, 2> destination)
{
    return exchange([&] {
        // The repeater sums its whole firmware before it answers.
        const int previous = readTimeout();
        setReadTimeout(4000);
        const bool replied = writeByte('|') && readBuffer(destination);
        setReadTimeout(previous);
        if (!replied || !writeByte(kAck))
            return kLinkFailed;
        return answer();
    });
}

int RadioLink::readTwoByteStatus(std::span<uint8_t, 2> destination)
{
    return exchange([&] { return writeByte('}') ? replyAndAck(destination, false) : kLinkFailed; });
}

int RadioLink::readUnitVersion(uint8_t unit, std::span<uint8_t, 2> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 3> frame{0x13, unit, 0x03};
        return writeBuffer(frame) ? replyAndAck(destination, false) : kLinkFailed;
    });
}

int RadioLink::selectTestMode(uint8_t mode)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{'O', mode};
        return writeBuffer(frame) ? answerWithin(800) : kLinkFailed;
    });
}

int RadioLink::selectSpacing(int spacing)
{
    static constexpr std::array<uint8_t, 5> kLetters{'F', 'G', 'L', 'M', 'C'};
    return exchange([&] {
        if (spacing < 0 || spacing >= static_cast<int>(kLetters.size()))
            return kLinkFailed;
        return writeByte(kLetters[static_cast<std::size_t>(spacing)]) ? answer() : kLinkFailed;
    });
}

int RadioLink::stepValue(uint8_t command, int step, bool twoByte)
{
    return exchange([&] {
        int remaining = step;
        // The one-byte frame carries at most 255; a larger step goes out as several frames
        // so the repeater still moves by the whole amount.
        const int largest = twoByte ? 0xFFFF : 0xFF;
        while (remaining != 0) {
            const int magnitude = std::min(std::abs(remaining), largest);
            const int part = remaining > 0 ? magnitude : -magnitude;
            std::vector<uint8_t> frame{command};
            if (part == 1 || part == -1) {
                frame.push_back(part > 0 ? kStepUp : kStepDown);
            } else {
                frame.push_back(part > 0 ? kStepBy : kStepBackBy);
                if (twoByte)
                    frame.push_back(static_cast<uint8_t>(magnitude >> 8));
                frame.push_back(static_cast<uint8_t>(magnitude & 0xFF));
            }
            if (!writeBuffer(frame) || answer() != kLinkOk)
                return kLinkFailed;
            remaining -= part;
        }
        return kLinkOk;
    });
}

int RadioLink::setValue(uint8_t command, uint8_t value)
{
    return exchange([&] {
        const std::array<uint8_t, 3> frame{command, kSetValue, value};
        return writeBuffer(frame) ? answerWithin(kWriteAnswerTimeoutMs) : kLinkFailed;
    });
}

int RadioLink::setValue16(uint8_t command, uint16_t value)
{
    return exchange([&] {
        const std::array<uint8_t, 4> frame{command, kSetValue, static_cast<uint8_t>(value >> 8),
                                           static_cast<uint8_t>(value & 0xFF)};
        return writeBuffer(frame) ? answerWithin(kWriteAnswerTimeoutMs) : kLinkFailed;
    });
}

} // namespace rps
