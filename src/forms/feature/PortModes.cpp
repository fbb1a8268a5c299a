#include "forms/feature/PortModes.h"

#include "forms/feature/RemoteControlResets.h"
#include "model/FeatureMap.h"

#include <algorithm>
#include <array>

namespace rps::feature {

namespace {

constexpr int kGroupLastPort = 4; // mode 3 of port 1 covers ports 2..4
constexpr int kRunLastPort = 4;   // a mode-2 run reaches port 4 at most

std::size_t modeOffset(int port)
{
    return kPortModes + static_cast<std::size_t>(port - 1);
}

bool validPort(int port)
{
    return port >= 1 && port <= kPortCount;
}

bool inRun(std::span<const uint8_t> main, int port)
{
    return validPort(port) && main[modeOffset(port)] == kPortRun;
}

} // namespace

uint8_t portMode(std::span<const uint8_t> mainArea, int port)
{
    return validPort(port) ? mainArea[modeOffset(port)] : 0xFF;
}

bool portFollowsGroup(std::span<const uint8_t> mainArea, int port)
{
    return port >= 2 && port <= kGroupLastPort && mainArea[modeOffset(1)] == kPortGroup;
}

std::vector<uint8_t> offeredPortModes(std::span<const uint8_t> mainArea, int port)
{
    std::vector<uint8_t> modes;
    if (!validPort(port) || portFollowsGroup(mainArea, port))
        return modes;
    // A port may leave the mode-2 run only from its end: not while the next port is in it.
    if (port == kPortCount || !inRun(mainArea, port + 1)) {
        modes.push_back(kPortInput);
        modes.push_back(kPortOutput);
    }
    if (port == 1 || (port <= kRunLastPort && inRun(mainArea, port - 1)))
        modes.push_back(kPortRun);
    if (port == 1)
        modes.push_back(kPortGroup);
    return modes;
}

bool setPortMode(std::span<uint8_t> mainArea, int port, uint8_t mode)
{
    const auto offered = offeredPortModes(mainArea, port);
    if (std::find(offered.begin(), offered.end(), mode) == offered.end())
        return false;
    std::array<uint8_t, kPortCount> before{};
    for (int p = 1; p <= kPortCount; ++p)
        before[static_cast<std::size_t>(p - 1)] = mainArea[modeOffset(p)];

    const uint8_t previous = mainArea[modeOffset(port)];
    mainArea[modeOffset(port)] = mode;
    if (mainArea[modeOffset(1)] == kPortGroup) {
        for (int p = port + 1; p <= kGroupLastPort; ++p)
            mainArea[modeOffset(p)] = kPortGroup;
    } else if (previous == kPortGroup) {
        for (int p = port + 1; p <= kGroupLastPort; ++p)
            mainArea[modeOffset(p)] = kPortInput;
    }

    for (int p = 1; p <= kPortCount; ++p) {
        if (mainArea[modeOffset(p)] != before[static_cast<std::size_t>(p - 1)])
            resetPortRemote(mainArea, p);
    }
    return true;
}

} // namespace rps::feature
