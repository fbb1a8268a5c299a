#pragma once
// Where the simulated repeater links its pseudo-terminal unless told otherwise:
// ${TMPDIR:-/tmp}/rps360t-sim.tty. The port list offers this path while it exists.
#include <string>

namespace rps {

std::string defaultSimulatorLinkPath();

} // namespace rps
