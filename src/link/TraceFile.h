#pragma once
// The serial trace written to a file while it is switched on: opened (0600) on start, attached
// to the link, detached and closed on stop or destruction.
#include "link/LinkTrace.h"
#include "link/ScrambledSerialPort.h"

#include <fstream>
#include <memory>
#include <string>

namespace rps {

class TraceFile {
public:
    explicit TraceFile(ScrambledSerialPort& port) : port_(port) {}
    ~TraceFile() { stop(); }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    // Starts a new file at path (its folder made 0700 when missing); 0 or the system's reason.
    int start(const std::string& path);
    void stop();
    bool active() const { return trace_ != nullptr; }
    const std::string& path() const { return path_; }

private:
    ScrambledSerialPort& port_;
    std::unique_ptr<std::ofstream> file_;
    std::unique_ptr<LinkTrace> trace_;
    std::string path_;
};

} // namespace rps
