#include "link/SimulatorLinkPath.h"

#include <cstdlib>

namespace rps {

std::string defaultSimulatorLinkPath()
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path + "rps360t-sim.tty";
}

} // namespace rps
