#include "link/qt/SerialPortList.h"

#include "link/SimulatorLinkPath.h"

#include <QSerialPortInfo>

#include <filesystem>

namespace rps {

std::vector<PortInfo> platformPorts()
{
    std::vector<PortInfo> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortInfo port;
        port.devicePath = info.systemLocation().toStdString();
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.serialNumber = info.serialNumber().toStdString();
        port.stableName = stableNameOf(port.devicePath);
        found.push_back(std::move(port));
    }
    return found;
}

std::vector<PortChoice> availablePorts(const std::string& runPort)
{
    std::vector<PortInfo> extras;
    const std::string simulator = defaultSimulatorLinkPath();
    if (!runPort.empty())
        extras.push_back(
            PortInfo{runPort, runPort == simulator ? "rps360t-sim" : "RPS360T_PORT", {}, {}, {}});
    std::error_code error;
    if (runPort != simulator && std::filesystem::exists(simulator, error))
        extras.push_back(PortInfo{simulator, "rps360t-sim", {}, {}, {}});
    return buildPortList(extras, platformPorts());
}

} // namespace rps
