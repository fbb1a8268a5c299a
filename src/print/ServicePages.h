#pragma once
// The printed pages of the service dialogs, drawn in the report's frame: test mode (the unit
// record, the test conditions shown, the alignment value dump) and radio information.
#include "print/ReportTables.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace rps::print {

using Lines = std::vector<std::pair<std::string, std::string>>;
using TextOf = std::function<std::string(int)>;

// `unit` is the unit record's printable text; the dump is printed sixteen bytes a line, in the
// order of the alignment values.
PrintedPage testModePage(const TextOf& text, const std::string& unit, const Lines& conditions,
                         std::span<const uint8_t> alignment);
PrintedPage radioInformationPage(const TextOf& text, const Lines& lines);

} // namespace rps::print
