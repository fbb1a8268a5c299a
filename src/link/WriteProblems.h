#pragma once
// Data a repeater would refuse or misuse: checked before a write, which is refused while any
// problem exists.
#include "texts/LanguageTable.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace rps {

// Language text numbers of the problems found, in checking order (1168, 1030, 936).
std::vector<int> findWriteProblems(std::span<const uint8_t> main, std::span<const uint8_t> aux);
// The error box text: heading 574, a blank line, then each problem quoted on its own line.
std::string writeProblemsText(const std::vector<int>& problems, const LanguageTable& texts);

} // namespace rps
