#pragma once
// The command line: four option words, nothing else. A file name or any other argument is
// ignored, so nothing is ever opened from the command line.
#include "forms/common/AppOptions.h"

#include <string>
#include <vector>

namespace rps {

// arguments: everything after the program name.
AppOptions scanCommandLine(const std::vector<std::string>& arguments);
AppOptions scanCommandLine(int argc, const char* const* argv);

} // namespace rps
