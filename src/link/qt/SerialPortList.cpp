#include "link/qt/SerialPortList.h"

#include "link/SerialPort.h"
#include "link/SimulatorLinkPath.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <filesystem>

namespace rps {

std::vector<PortChoice> availablePorts()
{
    std::vector<std::pair<std::string, std::string>> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        std::string label = info.portName().toStdString();
        if (!info.description().isEmpty())
            label += " (" + info.description().toStdString() + ")";
        found.emplace_back(info.systemLocation().toStdString(), label);
    }
    std::sort(found.begin(), found.end());
    const std::string simulator = defaultSimulatorLinkPath();
    std::error_code error;
    if (std::filesystem::exists(simulator, error))
        found.insert(found.begin(), {simulator, "rps360t-sim (" + simulator + ")"});

    std::vector<PortChoice> ports;
    for (const auto& [path, label] : found) {
        if (ports.size() == kMaxPortNumber)
            break;
        ports.push_back(PortChoice{static_cast<uint8_t>(ports.size() + 1), path, label});
    }
    return ports;
}

uint8_t portNumberOf(const std::vector<PortChoice>& ports, const std::string& devicePath)
{
    for (const PortChoice& port : ports)
        if (port.devicePath == devicePath)
            return port.number;
    return 0;
}

} // namespace rps
