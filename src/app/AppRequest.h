#pragma once
// What the desktop program is asked beyond its four option words: --help and --version, which
// print and end before any window or display is needed, and --open FILE, the desktop's "open
// with" (a bare file name stays ignored). Every other argument is left to Qt and to the
// option words.
#include <functional>
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

// Whether Qt can be started: a platform the user named (-platform NAME, or QT_QPA_PLATFORM) is
// taken as given; otherwise a display must be there (DISPLAY or WAYLAND_DISPLAY). environment
// returns a variable's value, empty when it is not set.
bool displayIsReachable(const std::vector<std::string>& arguments,
                        const std::function<std::string(const char* name)>& environment);
// What the program says instead of starting when there is no display: what is missing and how
// to run it without one (exit code 2).
std::string noDisplayMessage();

// The text --help prints.
std::string appUsage();
std::string appVersion();

} // namespace rps
