#pragma once
// The ports offered by the Communication Port dialog and `rps360t-cli ports`: the port given
// for this run (RPS360T_PORT) and the simulated repeater's link first, then the platform's
// serial ports in the order of their device paths, at most twenty. Each row is "COMn" as the
// "ComPort" setting counts them; the device is what counts, and the device stored for a port
// is its stable /dev/serial/by-id name when it has one, so a cable that comes back as another
// ttyUSB after a replug is still found.
#include <cstdint>
#include <string>
#include <vector>

namespace rps {

struct PortInfo {
    std::string devicePath; // /dev/ttyUSB0
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
    std::string stableName; // /dev/serial/by-id/usb-..., empty when there is none
};

struct PortChoice {
    uint8_t number;         // 1..20
    std::string devicePath; // what is stored and opened: the stable name when there is one
    std::string label;      // e.g. "ttyUSB0 (FT232R USB UART)"
    PortInfo info;
};

// extras (the run's port, the simulator's link) stay in front in their order; the platform's
// ports follow sorted by device path; a device listed twice is listed once.
std::vector<PortChoice> buildPortList(const std::vector<PortInfo>& extras, std::vector<PortInfo> platform);

// The row of a stored device: by the stored path, the device path or the stable name, or by
// being the same device under another name. 0 when it is not listed.
uint8_t portNumberOf(const std::vector<PortChoice>& ports, const std::string& device);

// The link in byIdFolder that leads to the device, empty when none does.
std::string stableNameOf(const std::string& devicePath, const std::string& byIdFolder = "/dev/serial/by-id");

} // namespace rps
