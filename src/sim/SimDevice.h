#pragma once
// A serial device wired straight to a simulated repeater, on simulated time: read time-outs
// and busy-waits advance a virtual clock, so a protocol run that would take seconds on a
// real line finishes at once. Both directions are logged as they appear on the wire.
#include "link/ByteDevice.h"
#include "sim/SimRepeater.h"

#include <vector>

namespace rps::sim {

struct WireByte {
    bool fromPc;
    uint8_t byte;
    uint32_t baud;
};

class SimDevice : public ByteDevice {
public:
    explicit SimDevice(SimRepeater& repeater) : repeater_(repeater) {}

    bool open(const std::string& path) override;
    bool close() override;
    bool isOpen() const override { return open_; }
    bool applyLineSettings(const LineSettings& settings) override;
    bool setRts(bool) override { return open_; }
    std::size_t read(uint8_t* destination, std::size_t count, int timeoutMs) override;
    bool writeAll(const uint8_t* source, std::size_t count) override;
    void discardInput() override;
    std::optional<bool> takeLineError() override;
    uint64_t tickMs() override { return now_; }
    void delayMs(int ms) override;

    // Test controls.
    void failNextOpen() { failOpen_ = true; }
    void flagLineError() { lineError_ = true; }
    uint32_t baud() const { return baud_; }
    int openCount() const { return openCount_; }
    const std::vector<WireByte>& wire() const { return wire_; }
    void clearWire() { wire_.clear(); }

private:
    SimRepeater& repeater_;
    bool open_ = false;
    bool failOpen_ = false;
    bool lineError_ = false;
    int openCount_ = 0;
    uint32_t baud_ = 9600;
    uint64_t now_ = 1;
    std::vector<WireByte> wire_;
};

} // namespace rps::sim
