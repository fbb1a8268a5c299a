#pragma once
// The command line of rps360t-sim.
#include "sim/SimRepeater.h"

#include <optional>
#include <string>

namespace rps::sim {

struct SimProgramOptions {
    SimConfig config;
    uint16_t modelCode = 0x0400;
    std::string imagePath; // a .dat file or a raw image; empty = defaults of modelCode
    std::string linkPath;  // symlink to the pseudo-terminal
    std::string dumpPath;  // raw image written whenever a session ends
    bool pace = false;
    bool help = false;
    bool version = false;
};

inline constexpr const char* kSimVersion = "rps360t-sim 1.00";

struct ParsedOptions {
    std::optional<SimProgramOptions> options; // nothing: error has the reason
    std::string error;
};

// --help and --version set their flags and nothing else is checked; a usage error names the
// option or value that is wrong.
ParsedOptions parseSimOptions(int argc, const char* const* argv);
std::string simUsage();

} // namespace rps::sim
