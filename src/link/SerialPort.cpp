#include "link/SerialPort.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace rps {

namespace {

bool parseInt(std::string_view text, int& value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (fields.size() != 4 || fields[1].size() != 1)
        return std::nullopt;
    LineSettings settings;
    int baud = 0;
    if (!parseInt(fields[0], baud) || baud <= 0 || !parseInt(fields[2], settings.dataBits) ||
        !parseInt(fields[3], settings.stopBits))
        return std::nullopt;
    settings.baud = static_cast<uint32_t>(baud);
    settings.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(fields[1][0])));
    if (std::string_view("NEOMS").find(settings.parity) == std::string_view::npos)
        return std::nullopt;
    if (settings.dataBits < 5 || settings.dataBits > 8 || settings.stopBits < 1 || settings.stopBits > 2)
        return std::nullopt;
    return settings;
}

SerialPort::SerialPort(ByteDevice& device) : device_(device) {}

bool SerialPort::writeByte(uint8_t byte)
{
    return SerialPort::writeBuffer(std::span<const uint8_t>(&byte, 1));
}

bool SerialPort::writeText(std::string_view text)
{
    return SerialPort::writeBuffer(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool SerialPort::writeBuffer(std::span<const uint8_t> bytes)
{
    if (!openState_)
        return false;
    device_.discardInput();
    return device_.writeAll(bytes.data(), bytes.size());
}

bool SerialPort::readBuffer(std::span<uint8_t> destination)
{
    if (!openState_)
        return false;
    const int timeout = readTimeoutMs_ + readTimeoutPerByteMs_ * static_cast<int>(destination.size());
    return device_.read(destination.data(), destination.size(), timeout) == destination.size();
}

bool SerialPort::setOpenState(bool wanted)
{
    if (wanted == openState_)
        return true;
    return wanted ? open() : close();
}

bool SerialPort::open()
{
    if (openState_)
        close();
    if (devicePath_.empty() || !device_.open(devicePath_))
        return false;
    openState_ = true;
    // A port that cannot be set up is closed again at once, so nobody talks over a
    // half-configured line and the next open starts clean.
    if (!applyLineSettings() || !device_.setRts(false)) {
        close();
        return false;
    }
    return true;
}

bool SerialPort::close()
{
    openState_ = false;
    return device_.close();
}

bool SerialPort::setPort(uint8_t number, const std::string& devicePath)
{
    if (number == 0)
        return true;
    portNumber_ = number;
    devicePath_ = devicePath;
    if (openState_) {
        close();
        return open();
    }
    return true;
}

bool SerialPort::setInputQueueSize(uint16_t size)
{
    inputBuffer_.assign(size, 0);
    return true;
}

bool SerialPort::setOutputQueueSize(uint16_t size)
{
    outputBuffer_.assign(size, 0);
    return true;
}

bool SerialPort::setLineSettings(std::string_view text)
{
    std::string stripped(text);
    std::erase(stripped, ' ');
    lineSettings_ = stripped;
    return openState_ ? applyLineSettings() : true;
}

std::string SerialPort::lineSettingsSuffix() const
{
    const std::size_t comma = lineSettings_.find(',');
    return comma == std::string::npos ? std::string() : lineSettings_.substr(comma);
}

bool SerialPort::setReadTimeout(int ms)
{
    readTimeoutMs_ = ms;
    return true;
}

bool SerialPort::lineErrorCheck()
{
    const std::optional<bool> error = device_.takeLineError();
    return error.has_value() && !*error;
}

bool SerialPort::applyLineSettings()
{
    const std::optional<LineSettings> settings = parseLineSettings(lineSettings_);
    return settings && device_.applyLineSettings(*settings);
}

} // namespace rps
