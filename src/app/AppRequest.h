#pragma once
// What the desktop program is asked beyond its four option words: --help and --version, which
// print and end before any window or display is needed, and --open FILE, the desktop's "open
// with" (a bare file name stays ignored). Every other argument is left to Qt and to the
// option words.
#include <optional>
#include <string>
#include <vector>

namespace rps {

struct AppRequest {
    bool help = false;
    bool version = false;
    std::optional<std::string> openPath; // --open FILE or --open=FILE
};

// arguments: everything after the program name.
AppRequest scanAppRequest(const std::vector<std::string>& arguments);

// The text --help prints.
std::string appUsage();
std::string appVersion();

} // namespace rps
