#include "link/RadioLink.h"

#include "link/ProtocolBytes.h"
#include "link/TraceSecrets.h"

#include <algorithm>
#include <string>
#include <vector>

namespace rps {

using namespace proto;

RadioLink::RadioLink(ByteDevice& device) : ScrambledSerialPort(device) {}

void RadioLink::pumpMessages()
{
    if (pump_)
        pump_();
}

bool RadioLink::claim()
{
    if (claimed_)
        return false;
    claimed_ = true;
    return true;
}

bool RadioLink::setBaud(uint32_t baud)
{
    return setLineSettings(std::to_string(baud) + lineSettingsSuffix());
}

bool RadioLink::readByte(uint8_t& byte)
{
    return readBuffer(std::span<uint8_t>(&byte, 1));
}

bool RadioLink::readByteWithin(uint8_t& byte, int timeoutMs)
{
    const int previous = readTimeout();
    setReadTimeout(timeoutMs);
    const bool ok = readByte(byte);
    setReadTimeout(previous);
    return ok;
}

int RadioLink::answer()
{
    uint8_t byte = 0;
    return readByte(byte) && byte == kAck ? kLinkOk : kLinkFailed;
}

int RadioLink::answerWithin(int timeoutMs)
{
    uint8_t byte = 0;
    return readByteWithin(byte, timeoutMs) && byte == kAck ? kLinkOk : kLinkFailed;
}

int RadioLink::replyAndAck(std::span<uint8_t> destination, bool nakAccepted)
{
    if (!readBuffer(destination) || !writeByte(kAck))
        return kLinkFailed;
    uint8_t last = 0;
    if (!readByte(last))
        return kLinkFailed;
    return last == kAck || (nakAccepted && last == kNak) ? kLinkOk : kLinkFailed;
}

bool RadioLink::writeAddress(uint16_t value)
{
    const std::array<uint8_t, 2> bytes{static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
    return writeBuffer(bytes);
}

int RadioLink::enterProgramMode()
{
    return exchange([this] { return enterMode(false); });
}

int RadioLink::enterTuningMode()
{
    return exchange([this] { return enterMode(true); });
}

int RadioLink::huntFailed(int rememberedTimeout)
{
    pumpMessages();
    setBaud(kModeBaud);
    setReadTimeout(rememberedTimeout);
    return kLinkFailed;
}

int RadioLink::enterMode(bool tuning)
{
    resetKey();
    const int remembered = readTimeout();
    for (const HuntRow& row : kHuntTable) {
        pumpMessages();
        setBaud(row.baud);
        // A framing error or break means the repeater is talking at another speed: stop.
        if (!lineErrorCheck())
            break;
        if (!writeText(tuning ? "TUNING " : "PROGRAM")) {
            pumpMessages();
            setReadTimeout(remembered);
            return kLinkFailed;
        }
        setReadTimeout(row.replyWaitMs);
        pumpMessages();
        uint8_t byte = 0;
        if (!readByte(byte) || byte != kSyn)
            continue;

        if (tuning) {
            delay(70);
            setBaud(kModeBaud);
            setReadTimeout(options_.synAckLongWait ? kSynAckLongWaitMs : kSynAckWaitMs);
            if (readByte(byte) && byte == kAck) {
                setReadTimeout(kModeReadTimeoutMs);
                return kLinkOk;
            }
            break;
        }

        // The repeater answers SYN at the hunted speed and ACK at 19200; whatever it sends
        // in between is skipped for up to three seconds.
        setBaud(kModeBaud);
        setReadTimeout(kSynAckWaitMs);
        pumpMessages();
        const uint64_t start = tickMs();
        while (readByte(byte)) {
            if (byte == kAck) {
                setReadTimeout(kModeReadTimeoutMs);
                return kLinkOk;
            }
            if (tickMs() - start > static_cast<uint64_t>(kSynAckWaitMs))
                break;
        }
        break;
    }
    return huntFailed(remembered);
}

int RadioLink::identify(ModelRecord& record)
{
    return exchange([&] {
        delay(50);
        std::array<uint8_t, kIdentReplySize> reply{};
        if (!writeByte(kIdentify) || !readBuffer(reply))
            return kLinkFailed;
        identReply_ = reply;
        std::copy_n(reply.begin(), record.size(), record.begin());
        const uint8_t radioHalf = sum8(std::span<const uint8_t>(reply.data() + kKeySeedOffset, kKeySeedSize));
        uint8_t challenge = radioHalf; // Encrypt Mode off: the key comes out as 0
        if (options_.encryptMode) {
            const LocalTime now = clock_();
            challenge = static_cast<uint8_t>((now.minute + now.second) % 256);
        }
        uint8_t byte = 0;
        if (!writeByte(challenge) || !writeByte(kAck) || !readByte(byte) || byte != kAck)
            return kLinkFailed;
        setKey(static_cast<uint8_t>(radioHalf ^ challenge));
        if (options_.waitForUsb)
            delay(100);
        return kLinkOk;
    });
}

int RadioLink::readBlock(std::span<uint8_t> destination, uint16_t block, bool alternate)
{
    return exchange([&] {
        if (blockSize_ <= 0 || destination.size() < static_cast<std::size_t>(blockSize_))
            return kLinkFailed;
        for (int attempt = 0; attempt < 3; ++attempt) {
            bool final = false;
            const int result = readBlockAttempt(destination, block, alternate, final);
            if (final)
                return result;
        }
        return kLinkFailed;
    });
}

int RadioLink::readBlockAttempt(std::span<uint8_t> destination, uint16_t block, bool alternate, bool& final)
{
    final = true;
    if (!writeByte(alternate ? kBlockReadAlt : kBlockRead))
        return 2;
    if (!writeAddress(block))
        return 3;
    if (trace() != nullptr)
        trace()->maskReceived(blockSecrets(block, 1));
    final = false;
    uint8_t type = 0;
    if (!readByte(type))
        return kLinkFailed;
    // The block lands in a scratch copy: a failed attempt never leaves half a block behind.
    std::vector<uint8_t> data(static_cast<std::size_t>(blockSize_));
    if (type == kDataReply) {
        uint8_t checksum = 0;
        if (!readBuffer(data) || !readByte(checksum))
            return kLinkFailed;
        if (checksum != sum8(data)) {
            if (!writeByte(kNak)) {
                final = true;
                return 11;
            }
            uint8_t reply = 0;
            if (!readByte(reply))
                return kLinkFailed;
            final = reply != kAck;
            return 13;
        }
    } else if (type == kFillWrite) {
        uint8_t fill = 0;
        if (!readByte(fill))
            return kLinkFailed;
        std::fill(data.begin(), data.end(), fill);
    } else {
        // Line noise in place of the reply type must not become 256 bytes of configuration.
        return kLinkFailed;
    }
    final = true;
    if (!writeByte(kAck))
        return 8;
    uint8_t reply = 0;
    if (!readByte(reply)) {
        final = false;
        return kLinkFailed;
    }
    if (reply != kAck)
        return 10;
    std::copy(data.begin(), data.end(), destination.begin());
    return kLinkOk;
}

int RadioLink::writeBlock(std::span<const uint8_t> source, uint16_t block, bool alternate)
{
    return exchange([&] {
        if (blockSize_ <= 0 || source.size() < static_cast<std::size_t>(blockSize_))
            return kLinkFailed;
        const std::span<const uint8_t> data = source.first(static_cast<std::size_t>(blockSize_));
        const bool uniform = std::all_of(data.begin(), data.end(), [&](uint8_t b) { return b == data[0]; });
        for (int attempt = 0; attempt < 3; ++attempt) {
            // Erased areas travel as one fill byte instead of a whole block.
            if (trace() != nullptr && !uniform)
                trace()->maskSent(blockSecrets(block, 3));
            if (!writeByte(uniform ? kFillWrite : (alternate ? kBlockWriteAlt : kBlockWrite)) ||
                !writeAddress(block))
                return kLinkFailed;
            if (uniform ? !writeByte(data[0]) : (!writeBuffer(data) || !writeByte(sum8(data))))
                return kLinkFailed;
            uint8_t reply = 0;
            if (!readByteWithin(reply, kWriteAnswerTimeoutMs))
                return kLinkFailed;
            if (reply == kAck)
                return kLinkOk;
        }
        return kLinkFailed;
    });
}

int RadioLink::readMemory(std::span<uint8_t> destination, uint16_t address)
{
    return exchange([&] {
        if (destination.empty() || destination.size() > 256)
            return kLinkFailed;
        std::vector<uint8_t> data(destination.size());
        uint8_t byte = 0;
        if (!writeByte(kMemoryRead) || !writeAddress(address) ||
            !writeByte(static_cast<uint8_t>(destination.size() & 0xFF)))
            return kLinkFailed;
        if (trace() != nullptr)
            trace()->maskReceived(memorySecrets(address, destination.size(), 1));
        if (!readByte(byte) || byte != kMemoryReply || !readBuffer(data) || !writeByte(kAck) ||
            !readByte(byte) || byte != kAck)
            return kLinkFailed;
        std::copy(data.begin(), data.end(), destination.begin());
        return kLinkOk;
    });
}

int RadioLink::writeMemory(std::span<const uint8_t> source, uint16_t address)
{
    return exchange([&] {
        if (source.empty() || source.size() > 256)
            return kLinkFailed;
        if (trace() != nullptr)
            trace()->maskSent(memorySecrets(address, source.size(), 4));
        if (!writeByte(kMemoryWrite) || !writeAddress(address) ||
            !writeByte(static_cast<uint8_t>(source.size() & 0xFF)) || !writeBuffer(source))
            return kLinkFailed;
        return answerWithin(kWriteAnswerTimeoutMs);
    });
}

int RadioLink::prepareWrite()
{
    return exchange([&] {
        const std::array<uint8_t, 2> arguments{0x00, 0xFF};
        if (!writeByte(kPrepare) || !writeBuffer(arguments))
            return kLinkFailed;
        return answerWithin(kPrepareTimeoutMs);
    });
}

int RadioLink::leaveOnce()
{
    if (!writeByte(kLeave))
        return kLinkFailed;
    return answer();
}

int RadioLink::leaveMode()
{
    return exchange([&] {
        if (leaveOnce() == kLinkOk)
            return kLinkOk;
        // A repeater that fell back to its default speed still hears 'E' at 9600.
        setBaud(kFallbackBaud);
        return leaveOnce();
    });
}

int RadioLink::leaveModeOnce()
{
    return exchange([&] { return leaveOnce(); });
}

int RadioLink::abandonWrite()
{
    return exchange([&] {
        if (!writeByte(kAbandon))
            return kLinkFailed;
        return answer();
    });
}

} // namespace rps
