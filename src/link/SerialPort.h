#pragma once
// The base of the link chain: one serial port, its line settings and read time-out, and the
// four byte operations every command of the programming protocol is built on. Results are
// true = success. No message is shown at this level.
#include "link/ByteDevice.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

inline constexpr uint8_t kMaxPortNumber = 20;

class SerialPort {
public:
    explicit SerialPort(ByteDevice& device);
    virtual ~SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Every write first discards what the repeater sent and nobody read, so each command
    // starts with an empty receive queue.
    virtual bool writeByte(uint8_t byte);
    virtual bool writeText(std::string_view text);
    virtual bool writeBuffer(std::span<const uint8_t> bytes);
    // Succeeds only when all bytes arrived within the read time-out.
    virtual bool readBuffer(std::span<uint8_t> destination);

    bool setOpenState(bool wanted);
    bool open();
    bool close();
    bool isOpen() const { return openState_; }
    PortOpenFailure lastOpenFailure() const { return device_.lastOpenFailure(); }

    // The port is chosen as a number 1..20 with the device path it stands for; number 0
    // keeps the current choice. While open, the port is reopened on the new choice.
    bool setPort(uint8_t number, const std::string& devicePath);
    uint8_t portNumber() const { return portNumber_; }
    const std::string& devicePath() const { return devicePath_; }

    bool setInputQueueSize(uint16_t size);
    bool setOutputQueueSize(uint16_t size);
    uint16_t inputQueueSize() const { return static_cast<uint16_t>(inputBuffer_.size()); }
    uint16_t outputQueueSize() const { return static_cast<uint16_t>(outputBuffer_.size()); }

    // Stored with every blank removed; applied at once while open.
    bool setLineSettings(std::string_view text);
    const std::string& lineSettings() const { return lineSettings_; }
    // The stored settings from the first comma on (",N,8,2"); a baud prefix switches speed.
    std::string lineSettingsSuffix() const;

    bool setReadTimeout(int ms);
    int readTimeout() const { return readTimeoutMs_; }

    // False when the error state cannot be fetched or a framing error or break was flagged.
    bool lineErrorCheck();
    void delay(int ms) { device_.delayMs(ms); }
    uint64_t tickMs() { return device_.tickMs(); }

protected:
    ByteDevice& device() { return device_; }

private:
    bool applyLineSettings();

    ByteDevice& device_;
    bool openState_ = false;
    uint8_t portNumber_ = 1;
    std::string devicePath_;
    std::vector<uint8_t> inputBuffer_ = std::vector<uint8_t>(512);
    std::vector<uint8_t> outputBuffer_ = std::vector<uint8_t>(512);
    std::string lineSettings_ = "9600,N,8,2";
    int readTimeoutMs_ = 1000;
    int readTimeoutPerByteMs_ = 0;
};

} // namespace rps
