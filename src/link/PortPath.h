#pragma once
// What the user typed as a port (on the command line, in the port dialog, in RPS360T_PORT)
// turned into the device path that is opened. A path with a slash, or a name that exists in
// the working folder, is taken as it stands (made absolute, so nothing looks it up under
// /dev). Any other bare name is looked up under /dev for serial devices alone (ttyUSB0,
// ttyACM0, ttyS0, rfcomm0 ...), also when it is not there yet, never for the controlling
// terminal, the console, the pseudo-terminal multiplexer or a virtual console.
#include <filesystem>
#include <string>
#include <string_view>

namespace rps {

// True for names of serial devices under /dev: "tty", letters, then a number (ttyUSB0,
// ttyACM1, ttyS0, ttyAMA0) or "rfcomm" and a number. "tty", "tty0", "console" and "ptmx" are not.
bool isSerialDeviceName(std::string_view name);

// Empty stays empty. devFolder is /dev but for tests.
std::string resolvePortPath(std::string_view typed, const std::filesystem::path& workingFolder,
                            const std::filesystem::path& devFolder = "/dev");
// The same from the process's working folder.
std::string resolvePortPath(std::string_view typed);

} // namespace rps
