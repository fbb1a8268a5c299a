#pragma once
// The byte pipe under SerialPort: a serial device (or anything that behaves like one, such
// as the in-process simulated repeater). The device also owns the time base of the link:
// read time-outs, busy-waits and the tick count all run on its clock, so a simulated line
// can run on simulated time.
#include "link/PortOpenFailure.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rps {

// Baud, parity, data bits and stop bits of the line ("9600,N,8,2").
struct LineSettings {
    uint32_t baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 2;

    bool operator==(const LineSettings&) const = default;
};

// Parses a mode text "baud,parity,data,stop"; blanks must already be removed. Nothing when
// a field is missing or out of range.
std::optional<LineSettings> parseLineSettings(std::string_view text);

class ByteDevice {
public:
    virtual ~ByteDevice() = default;

    virtual bool open(const std::string& path) = 0;
    // Why the last open failed; a device that cannot tell says nothing.
    virtual PortOpenFailure lastOpenFailure() const { return {}; }
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    // Applies speed and framing at once (also while open); DTR on, RTS off, no flow control.
    virtual bool applyLineSettings(const LineSettings& settings) = 0;
    virtual bool setRts(bool on) = 0;
    // Reads up to count bytes, waiting at most timeoutMs in total; returns how many arrived.
    virtual std::size_t read(uint8_t* destination, std::size_t count, int timeoutMs) = 0;
    // Puts every byte on the line; a partial write is a failure.
    virtual bool writeAll(const uint8_t* source, std::size_t count) = 0;
    virtual void discardInput() = 0;
    // Fetches and clears the line error state: true when a framing error or a break was
    // seen since the last call. Nothing when the state cannot be fetched.
    virtual std::optional<bool> takeLineError() = 0;

    // Millisecond tick count and busy-wait on the device's clock.
    virtual uint64_t tickMs() = 0;
    virtual void delayMs(int ms) = 0;
};

} // namespace rps
