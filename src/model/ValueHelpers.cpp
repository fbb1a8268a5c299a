#include "model/ValueHelpers.h"

#include "model/FrequencyText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace rps {

namespace {
// Remainder that makes value - remainder the multiple of step at or below value.
int64_t floorRemainder(int64_t value, int64_t step)
{
    const int64_t remainder = value % step;
    return remainder < 0 ? remainder + step : remainder;
}
} // namespace

std::optional<int64_t> parseTypedIntegerStrict(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return std::nullopt;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (kLimit - digit) / 10) {
            value = kLimit; // saturate: the clamp that follows brings it to the field's maximum
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int64_t parseTypedInteger(std::string_view text)
{
    return parseTypedIntegerStrict(text).value_or(0);
}

int64_t clampInteger(int64_t value, int64_t min, int64_t max, int64_t step)
{
    if (max < min)
        return value;
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    if (step > 1) {
        value -= floorRemainder(value, step);
        if (value < min) // a minimum off the step grid still bounds the field
            value = min;
    }
    return value;
}

std::string clampIntegerText(std::string_view text, int64_t min, int64_t max, int64_t step)
{
    return std::to_string(clampInteger(parseTypedInteger(text), min, max, step));
}

int decimalsOfStep(double step)
{
    int decimals = 0;
    double scaled = step;
    while (decimals < 6 && std::fabs(scaled - std::round(scaled)) > 1e-9) {
        scaled *= 10.0;
        ++decimals;
    }
    return decimals;
}

double clampDecimal(double value, double min, double max, double step)
{
    if (std::isnan(value))
        value = min;
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    if (step <= 0.0)
        return value;
    const double scale = std::pow(10.0, decimalsOfStep(step));
    const auto scaledStep = static_cast<int64_t>(step * scale + 0.5);
    // Downwards also for negative values; the 0.01 keeps 0.3 / 0.1 from falling to 2.
    auto scaled = static_cast<int64_t>(std::floor(value * scale + 0.01));
    if (scaledStep > 1)
        scaled -= floorRemainder(scaled, scaledStep);
    const double result = static_cast<double>(scaled) / scale;
    return result < min ? min : result; // a minimum off the step grid still bounds the field
}

std::string clampDecimalText(std::string_view text, double min, double max, double step,
                             char decimalSeparator)
{
    const double clamped = clampDecimal(parseDecimal(text, decimalSeparator), min, max, step);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimalsOfStep(step), clamped);
    std::string result(buffer);
    for (char& c : result) {
        if (c == '.')
            c = decimalSeparator;
    }
    return result;
}

int64_t spinStep(int64_t value, int direction, int64_t min, int64_t max, int64_t step)
{
    if (direction > 0)
        return (min <= value && value < max) ? std::min(value + step, max) : min;
    return (min < value && value <= max) ? std::max(value - step, min) : max;
}

int64_t spinStepWithOff(int64_t value, int direction, int64_t min, int64_t max, int64_t off, int64_t step)
{
    if (direction > 0) {
        if (value == off)
            return min;
        if (value >= max)
            return off;
        return value < min ? min : std::min(value + step, max);
    }
    if (value == off)
        return max;
    if (value <= min)
        return off;
    return value > max ? max : std::max(value - step, min);
}

uint16_t toBcd(unsigned value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04u", value % 10000u);
    uint16_t bcd = 0;
    for (int i = 0; i < 4; ++i)
        bcd = static_cast<uint16_t>((bcd << 4) | static_cast<unsigned>(digits[i] - '0'));
    return bcd;
}

std::optional<unsigned> fromBcd(uint16_t bcd)
{
    unsigned value = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned nibble = (bcd >> shift) & 0xFu;
        if (nibble > 9)
            return std::nullopt;
        value = value * 10 + nibble;
    }
    return value;
}

std::string trimTrailingSpaces(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return std::string(text.substr(0, end));
}

std::string readFixedText(std::span<const uint8_t> field)
{
    std::string text;
    for (uint8_t byte : field) {
        if (byte == 0xFF)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return trimTrailingSpaces(text);
}

void writeFixedText(std::span<uint8_t> field, std::string_view text)
{
    bool blank = true;
    for (std::size_t i = 0; i < field.size() && i < text.size(); ++i)
        blank = blank && text[i] == ' ';
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (blank)
            field[i] = 0xFF;
        else
            field[i] = i < text.size() ? static_cast<uint8_t>(text[i]) : static_cast<uint8_t>(' ');
    }
}

} // namespace rps
