#pragma once
// Why a port could not be opened, said to the user under the "port cannot be opened" message:
// the device and the system's reason, and for the usual Linux causes what to do about them
// (the dialout group, a program holding the port, brltty taking a USB cable).
#include "texts/LanguageTable.h"

#include <optional>
#include <string>

namespace rps {

struct PortOpenFailure {
    int systemError = 0; // errno of the failed open; 0 = not known
    std::string holder;  // for a port in use: the program holding it, when found
};

// The line(s) shown under message 772: "DEVICE: reason", then the hint for the reason.
std::string portOpenFailureText(const LanguageTable& texts, const std::string& devicePath,
                                const PortOpenFailure& failure);

// The program holding the device, as "minicom (pid 812)": the one holding an exclusive lock on
// it, else any other process with it open, found through /proc; nothing when none is visible
// to us.
std::optional<std::string> findPortHolder(const std::string& devicePath,
                                          const std::string& procFolder = "/proc");

} // namespace rps
