#include "link/PortList.h"

#include "link/SerialPort.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace rps {

namespace {

// The device a path leads to, for telling two names of one device apart; the path itself
// when it leads nowhere.
std::string canonical(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
}

std::string labelOf(const PortInfo& info)
{
    std::string label = std::filesystem::path(info.devicePath).filename().string();
    if (!info.description.empty())
        label += " (" + info.description + ")";
    return label;
}

} // namespace

std::vector<PortChoice> buildPortList(const std::vector<PortInfo>& extras, std::vector<PortInfo> platform)
{
    std::sort(platform.begin(), platform.end(),
              [](const PortInfo& a, const PortInfo& b) { return a.devicePath < b.devicePath; });
    std::vector<PortInfo> all = extras;
    all.insert(all.end(), platform.begin(), platform.end());

    std::vector<PortChoice> ports;
    std::vector<std::string> seen;
    for (const PortInfo& info : all) {
        if (ports.size() == kMaxPortNumber)
            break;
        const std::string device = canonical(info.devicePath);
        if (info.devicePath.empty() || std::find(seen.begin(), seen.end(), device) != seen.end())
            continue;
        seen.push_back(device);
        const std::string stored = info.stableName.empty() ? info.devicePath : info.stableName;
        ports.push_back(PortChoice{static_cast<uint8_t>(ports.size() + 1), stored, labelOf(info), info});
    }
    return ports;
}

uint8_t portNumberOf(const std::vector<PortChoice>& ports, const std::string& device)
{
    if (device.empty())
        return 0;
    for (const PortChoice& port : ports) {
        if (port.devicePath == device || port.info.devicePath == device || port.info.stableName == device)
            return port.number;
    }
    const std::string wanted = canonical(device);
    for (const PortChoice& port : ports) {
        if (canonical(port.devicePath) == wanted)
            return port.number;
    }
    return 0;
}

std::string stableNameOf(const std::string& devicePath, const std::string& byIdFolder)
{
    const std::string wanted = canonical(devicePath);
    std::error_code error;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(byIdFolder, error)) {
        if (canonical(entry.path().string()) == wanted)
            names.push_back(entry.path().string());
    }
    // A device with several interfaces' names: the first in order, the same every run.
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

} // namespace rps
