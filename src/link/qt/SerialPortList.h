#pragma once
// The ports offered by the port dialog: the platform's serial ports in a stable order, plus
// the simulated repeater's link while it exists, at most twenty. Each is numbered 1..20 as the
// "ComPort" setting counts them; the device path is what identifies the port between runs.
#include <cstdint>
#include <string>
#include <vector>

namespace rps {

struct PortChoice {
    uint8_t number;         // 1..20
    std::string devicePath; // e.g. /dev/ttyUSB0
    std::string label;      // e.g. "ttyUSB0 (FT232R USB UART)"
};

std::vector<PortChoice> availablePorts();
// The number a device path has in the list, or 0 when it is not present.
uint8_t portNumberOf(const std::vector<PortChoice>& ports, const std::string& devicePath);

} // namespace rps
