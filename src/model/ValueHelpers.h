#pragma once
// Value helpers shared by every form for typed and spun numbers: clamping to a field's
// range and step, spin stepping with wrap (optionally through an off value), BCD words and
// fixed-width text fields. Typed numbers are never rejected: they are clamped and rounded.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rps {

// Reads the leading integer of a typed text (blanks skipped, optional sign). Text that is not
// a number reads as 0; a number too large for 64 bits saturates instead of wrapping.
int64_t parseTypedInteger(std::string_view text);
// Same, but nothing when the text holds no digits at all.
std::optional<int64_t> parseTypedIntegerStrict(std::string_view text);

// Clamps into [min, max] and rounds down to a multiple of step (counted from 0). When
// max < min the value is left alone.
int64_t clampInteger(int64_t value, int64_t min, int64_t max, int64_t step = 1);
// The integer clamp of a typed text, rewritten with "%d".
std::string clampIntegerText(std::string_view text, int64_t min, int64_t max, int64_t step = 1);

// Decimal clamp: the result keeps as many decimals as the step has; rounding is downwards
// to a multiple of step after scaling (0.01 added before truncating, as the repeater's tools
// always did, so 0.3 / 0.1 does not fall to 2).
double clampDecimal(double value, double min, double max, double step);
std::string clampDecimalText(std::string_view text, double min, double max, double step,
                             char decimalSeparator = '.');
int decimalsOfStep(double step);

// +1: inside [min, max) advance by step, anything else restarts at min.
// -1: inside (min, max] go back by step, anything else restarts at max.
int64_t spinStep(int64_t value, int direction, int64_t min, int64_t max, int64_t step = 1);
// As spinStep, but an off value sits outside the range between max and min:
// min <- off <- max going up wraps max -> off -> min.
int64_t spinStepWithOff(int64_t value, int direction, int64_t min, int64_t max, int64_t off,
                        int64_t step = 1);

// Four decimal digits packed in a u16, most significant nibble first (1234 -> 0x1234).
uint16_t toBcd(unsigned value);
// Nothing when a nibble is not a decimal digit.
std::optional<unsigned> fromBcd(uint16_t bcd);

// A fixed-width text read from the image: 0xFF bytes end the text, trailing blanks dropped.
std::string readFixedText(std::span<const uint8_t> field);
// Writes a text into a fixed-width field padded with spaces; an all-blank text stores 0xFF.
void writeFixedText(std::span<uint8_t> field, std::string_view text);
// Cuts a text at the start of its trailing run of spaces.
std::string trimTrailingSpaces(std::string_view text);

} // namespace rps
