// rps360t-sim: a simulated repeater on a pseudo-terminal.
#include "sim/PtyHost.h"
#include "sim/SimOptions.h"

#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

std::atomic<bool> stopRequested{false};

void requestStop(int)
{
    stopRequested.store(true);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace rps::sim;
    const ParsedOptions parsed = parseSimOptions(argc, argv);
    if (!parsed.options) {
        std::cerr << "rps360t-sim: " << parsed.error << "\nrps360t-sim --help lists the options.\n";
        return 2;
    }
    const SimProgramOptions& options = *parsed.options;
    if (options.help) {
        std::cout << simUsage();
        return 0;
    }
    if (options.version) {
        std::cout << kSimVersion << "\n";
        return 0;
    }

    MemoryFromFile memory = options.imagePath.empty() ? MemoryFromFile{defaultMemory(options.modelCode), {}}
                                                      : memoryFromFile(options.imagePath);
    if (!memory.memory) {
        std::cerr << "rps360t-sim: cannot use the image " << options.imagePath << ": " << memory.reason
                  << "\n";
        return 1;
    }
    SimRepeater repeater(options.config, std::move(*memory.memory));
    PtyHost host(repeater, options);
    std::string error;
    if (!host.start(error)) {
        std::cerr << "rps360t-sim: " << error << "\n";
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::cout << host.slavePath() << "\n";
    if (!options.linkPath.empty())
        std::cout << options.linkPath << "\n";
    std::cout.flush();
    host.run(stopRequested);
    return 0;
}
