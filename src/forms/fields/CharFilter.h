#pragma once
// The character filters of the edit fields. Each typed character is judged against the text
// around the caret: a refused character is dropped, and some filters change a letter's case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

enum class CharFilterKind {
    Any,
    Digits,
    Decimal,     // digits and one decimal separator ('.' or ',' typed, stored as the locale's)
    Dtmf,        // 0-9 A-D * #
    Hex,         // 0-9 A-F
    HexToE,      // 0-9 A-E
    HexToEWithQ, // 0-9 A-E and up to eight Q
    Alphanumeric,
    SevenSegment, // what the repeater's two-digit display can show
    UpperText,    // upper-case text with single inner spaces
    SignedDigits,
    ZeroToFive,
    DigitsWithA,    // digits and one A
    DigitsWithC,    // digits and one C
    DigitsWithCO,   // digits and one C or O
    PrefixedDigits, // digits and once the first letter of one of the prefix words
    MessageText,
    Morse,     // the Morse set in capitals, no space beside another space
    Printable, // ASCII 0x20-0x7E
};

struct CharFilterRule {
    CharFilterKind kind = CharFilterKind::Any;
    int maxLength = 0; // 0 = no limit
    char decimalSeparator = '.';
    std::vector<std::string> prefixWords;
};

// The character as it goes into the text, or nothing when refused. `before` is the text in
// front of the caret and `after` the text behind the selection (the selection is replaced).
std::optional<char> filterCharacter(const CharFilterRule& rule, char typed, std::string_view before,
                                    std::string_view after);

// Runs every character of a text through the filter as if typed in order; nothing when a
// character is refused.
std::optional<std::string> filterText(const CharFilterRule& rule, std::string_view text);

// Runs a typed (or pasted) piece through the filter as its characters would be typed one by
// one between `before` and `after`, which stay as they are; nothing when one is refused.
std::optional<std::string> filterTyped(const CharFilterRule& rule, std::string_view before,
                                       std::string_view typed, std::string_view after);

} // namespace rps
