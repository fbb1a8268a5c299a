#include "link/ScrambledSerialPort.h"

#include <vector>

namespace rps {

ScrambledSerialPort::ScrambledSerialPort(ByteDevice& device) : SerialPort(device)
{
    resetKey();
}

bool ScrambledSerialPort::writeByte(uint8_t byte)
{
    return SerialPort::writeByte(static_cast<uint8_t>(byte ^ key_));
}

bool ScrambledSerialPort::writeText(std::string_view text)
{
    return writeBuffer(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool ScrambledSerialPort::writeBuffer(std::span<const uint8_t> bytes)
{
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    for (uint8_t& b : copy)
        b ^= key_;
    return SerialPort::writeBuffer(copy);
}

bool ScrambledSerialPort::readBuffer(std::span<uint8_t> destination)
{
    std::vector<uint8_t> received(destination.size() + 1);
    if (!SerialPort::readBuffer(std::span<uint8_t>(received.data(), destination.size())))
        return false;
    for (std::size_t i = 0; i < destination.size(); ++i)
        destination[i] = static_cast<uint8_t>(received[i] ^ key_);
    return true;
}

} // namespace rps
