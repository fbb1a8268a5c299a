#pragma once
// Runs a simulated repeater on a pseudo-terminal: the PC side opens the slave device (or the
// symbolic link to it) like a serial port; the repeater reads the master and sees the line
// speed the PC set, because both ends share one set of terminal settings.
#include "sim/LinkLock.h"
#include "sim/SimOptions.h"

#include <atomic>
#include <string>

namespace rps::sim {

class PtyHost {
public:
    PtyHost(SimRepeater& repeater, const SimProgramOptions& options);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Creates the pseudo-terminal and the link; false with a reason when that fails, or when
    // the link belongs to another simulator that is still running.
    bool start(std::string& error);
    const std::string& slavePath() const { return slavePath_; }
    // Serves the repeater until stop becomes true.
    void run(const std::atomic<bool>& stop);

private:
    uint32_t lineBaud() const;
    uint64_t nowUs() const;
    void dumpImage() const;

    SimRepeater& repeater_;
    const SimProgramOptions& options_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    bool linked_ = false;
    LinkLock linkLock_;
};

} // namespace rps::sim
