#pragma once
// The second line under a file message (cannot be read, another program's file, not a data
// file, a failed save): where the file is and what the system said about it.
#include "texts/LanguageTable.h"

#include <string>

namespace rps {

// "PATH: reason" with the system's text for systemError; a file that only ended early says
// so; with no reason at all the path alone.
std::string fileFailureLine(const LanguageTable& texts, const std::string& path, int systemError,
                            bool endedEarly = false);

// The message, a line feed and the line above.
std::string withFileFailure(const std::string& message, const LanguageTable& texts, const std::string& path,
                            int systemError, bool endedEarly = false);

// One line for a file that could not be written: "WHAT cannot be saved: PATH: reason".
std::string saveFailureLine(const LanguageTable& texts, const std::string& what, const std::string& path,
                            int systemError);

} // namespace rps
