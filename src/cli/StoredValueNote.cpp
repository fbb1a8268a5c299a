#include "cli/StoredValueNote.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace rps::cli {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool sameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A plain decimal number: an optional minus, digits and at most one '.' or ','. Nothing for
// anything else ("1e3", "inf" and "nan" are not numbers a field takes).
std::optional<double> plainNumber(std::string_view text)
{
    std::string digits;
    bool separator = false;
    bool anyDigit = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-' && i == 0) {
            digits.push_back(c);
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            digits.push_back('.');
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            anyDigit = true;
            digits.push_back(c);
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return std::strtod(digits.c_str(), nullptr);
}

// Decimals enough to show the step (0.5 -> 1, 0.05 -> 2, 1 -> 0).
int decimalsOf(double step)
{
    int decimals = 0;
    while (decimals < 6 &&
           std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-9)
        ++decimals;
    return decimals;
}

std::string number(double value, int decimals)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string limitOf(const fields::FieldRow& row, std::string_view given, std::optional<double> typed,
                    std::string_view shown)
{
    const fields::Range& range = row.range;
    if (range.max > range.min) {
        const int decimals = decimalsOf(range.step);
        const bool inside = typed && *typed >= range.min && *typed <= range.max && plainNumber(shown);
        if (inside && range.step > 0)
            return "step " + number(range.step, decimals);
        return "range " + number(range.min, decimals) + " to " + number(range.max, decimals);
    }
    if (row.input.maxLength > 0 && shown.size() < given.size() &&
        sameLetters(shown, given.substr(0, shown.size())))
        return "at most " + std::to_string(row.input.maxLength) + " characters";
    if (row.codec && row.codec->choices)
        return "the nearest value of the field's list";
    return {};
}

} // namespace

std::optional<std::string> storedDifference(const fields::FieldRow& row, std::string_view typed,
                                            std::string_view shown)
{
    const std::string_view given = trimmed(typed);
    const std::string_view stored = trimmed(shown);
    // An emptied field stores what an empty field means for it.
    if (given.empty())
        return std::nullopt;
    const std::optional<double> typedNumber = plainNumber(given);
    const std::optional<double> storedNumber = plainNumber(stored);
    if (typedNumber && storedNumber) {
        const double scale = std::max({1.0, std::fabs(*typedNumber), std::fabs(*storedNumber)});
        if (std::fabs(*typedNumber - *storedNumber) <= 1e-9 * scale)
            return std::nullopt;
    } else if (sameLetters(given, stored) || (!typedNumber && given.size() < stored.size() &&
                                              sameLetters(given, stored.substr(0, given.size())))) {
        // The same text in another letter case as the field shows it, or a code the field
        // completed ("D23" to "D230N").
        return std::nullopt;
    }
    return limitOf(row, given, typedNumber, stored);
}

std::string storedAsLine(std::string_view key, std::string_view typed, std::string_view shown,
                         const std::string& limit)
{
    std::string line =
        std::string(key) + ": \"" + std::string(typed) + "\" stored as \"" + std::string(shown) + "\"";
    if (!limit.empty())
        line += " (" + limit + ")";
    return line;
}

} // namespace rps::cli
