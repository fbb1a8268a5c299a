#pragma once
// What set says when a field stores something other than what was typed: a number clamped into
// its range or rounded down to its step, a number that became the off value, a tone snapped to
// the nearest listed one, a text cut to the field's length. A different spelling of the same
// value ("10" shown as "10.0", "off" as "Off", "D23" completed to "D230N") is no difference.
#include "forms/fields/FieldTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace rps::cli {

// Nothing when `shown` is the value `typed` meant; otherwise the limit that made the
// difference, as "range 0.5 to 30.0", "step 0.5", "at most 2 characters" or empty when the field
// has no limit to name.
std::optional<std::string> storedDifference(const fields::FieldRow& row, std::string_view typed,
                                            std::string_view shown);

// The line set prints for it: KEY: "TYPED" stored as "SHOWN" (LIMIT)
std::string storedAsLine(std::string_view key, std::string_view typed, std::string_view shown,
                         const std::string& limit);

} // namespace rps::cli
