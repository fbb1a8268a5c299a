// ports: the serial ports the Communication Port dialog offers, one "COMn" row each.
#include "cli/CliCommand.h"
#include "link/PortPath.h"
#include "link/qt/SerialPortList.h"

#include <cstdlib>
#include <ostream>

namespace rps::cli {

namespace {

constexpr int kFirstColumnTitle = 1240; // Device, Description, Manufacturer, Serial number, Stable name
constexpr int kColumnCount = 5;
constexpr int kNoPorts = 1339;

int runPorts(CliContext& cli, const CommandLine& /*options*/)
{
    const char* runPort = std::getenv("RPS360T_PORT");
    const std::vector<PortChoice> ports = availablePorts(resolvePortPath(runPort != nullptr ? runPort : ""));
    if (ports.empty()) {
        cli.err << cli.text(kNoPorts, "No serial ports found.") << '\n';
        return kExitOk;
    }
    // Tab-separated, so a script can cut the columns; the first line names them.
    cli.out << "Port";
    for (int column = 0; column < kColumnCount; ++column)
        cli.out << '\t' << cli.text(kFirstColumnTitle + column, "");
    cli.out << '\n';
    for (const PortChoice& port : ports) {
        const PortInfo& info = port.info;
        cli.out << "COM" << int(port.number) << '\t' << info.devicePath << '\t' << info.description << '\t'
                << info.manufacturer << '\t' << info.serialNumber << '\t' << info.stableName << '\n';
    }
    return kExitOk;
}

constexpr CliCommand kPortsCommands[] = {
    {"ports", "ports", "Lists the serial ports as the Communication Port dialog does.", {}, {}, runPorts},
};

} // namespace

std::span<const CliCommand> portsCommands()
{
    return kPortsCommands;
}

} // namespace rps::cli
