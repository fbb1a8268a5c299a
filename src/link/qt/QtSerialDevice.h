#pragma once
// The production serial device: a QSerialPort at N-8-2 with DTR on, RTS off and no flow
// control. Reads wait for the whole count up to a total deadline; input still pending is
// discarded before every write. On a pseudo-terminal (the simulated repeater) the modem
// lines do not exist, and failing to set them there is not an error.
#include "link/ByteDevice.h"

#include <QSerialPort>

#include <chrono>

namespace rps {

class QtSerialDevice : public ByteDevice {
public:
    QtSerialDevice();

    bool open(const std::string& path) override;
    bool close() override;
    bool isOpen() const override { return port_.isOpen(); }
    bool applyLineSettings(const LineSettings& settings) override;
    bool setRts(bool on) override;
    std::size_t read(uint8_t* destination, std::size_t count, int timeoutMs) override;
    bool writeAll(const uint8_t* source, std::size_t count) override;
    void discardInput() override;
    std::optional<bool> takeLineError() override;
    uint64_t tickMs() override;
    void delayMs(int ms) override;

private:
    QSerialPort port_;
    bool pseudoTerminal_ = false;
    uint32_t baud_ = 9600;
    int lastFrameErrors_ = 0;
    int lastBreaks_ = 0;
    std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

} // namespace rps
