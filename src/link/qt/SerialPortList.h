#pragma once
// The platform's serial ports (QSerialPortInfo) with their stable names, and the ports that
// are always offered: the one given for this run and the simulated repeater's link.
#include "link/PortList.h"

#include <string>
#include <vector>

namespace rps {

// The platform's serial ports as the port list wants them.
std::vector<PortInfo> platformPorts();

// runPort: the port given for this run (RPS360T_PORT), empty when none was.
std::vector<PortChoice> availablePorts(const std::string& runPort = {});

} // namespace rps
