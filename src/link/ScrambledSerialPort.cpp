#include "link/ScrambledSerialPort.h"

#include <string>
#include <vector>

namespace rps {

ScrambledSerialPort::ScrambledSerialPort(ByteDevice& device) : SerialPort(device)
{
    resetKey();
}

bool ScrambledSerialPort::writeByte(uint8_t byte)
{
    if (trace_ != nullptr)
        trace_->sent(std::span<const uint8_t>(&byte, 1));
    return SerialPort::writeByte(static_cast<uint8_t>(byte ^ key_));
}

bool ScrambledSerialPort::writeText(std::string_view text)
{
    return writeBuffer(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool ScrambledSerialPort::writeBuffer(std::span<const uint8_t> bytes)
{
    if (trace_ != nullptr)
        trace_->sent(bytes);
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    for (uint8_t& b : copy)
        b ^= key_;
    return SerialPort::writeBuffer(copy);
}

bool ScrambledSerialPort::readBuffer(std::span<uint8_t> destination)
{
    std::vector<uint8_t> received(destination.size() + 1);
    if (!SerialPort::readBuffer(std::span<uint8_t>(received.data(), destination.size()))) {
        if (trace_ != nullptr)
            trace_->note("no answer within the time-out (" + std::to_string(destination.size()) +
                         " bytes awaited)");
        return false;
    }
    for (std::size_t i = 0; i < destination.size(); ++i)
        destination[i] = static_cast<uint8_t>(received[i] ^ key_);
    if (trace_ != nullptr)
        trace_->received(destination);
    return true;
}

} // namespace rps
