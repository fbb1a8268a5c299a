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
    ~QtSerialDevice() override;
    QtSerialDevice(const QtSerialDevice&) = delete;
    QtSerialDevice& operator=(const QtSerialDevice&) = delete;

    // Takes an exclusive lock on the device itself before Qt opens and configures it, so a
    // second open of the same device by any path (another link, /dev/pts/N) fails without
    // touching the line settings of the program that holds it. Qt's own locks do not stop
    // root (TIOCEXCL) or another name for the device (the lock file of the last path part).
    bool open(const std::string& path) override;
    PortOpenFailure lastOpenFailure() const override { return failure_; }
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
    void releaseLock();

    QSerialPort port_;
    int lockFd_ = -1;
    PortOpenFailure failure_;
    bool pseudoTerminal_ = false;
    uint32_t baud_ = 9600;
    int lastFrameErrors_ = 0;
    int lastBreaks_ = 0;
    std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

} // namespace rps
