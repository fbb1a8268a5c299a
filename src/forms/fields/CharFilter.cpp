#include "forms/fields/CharFilter.h"

#include <algorithm>

namespace rps {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}
char toUpper(char c)
{
    return isLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
char toLower(char c)
{
    return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}
bool inRange(char c, char low, char high)
{
    return c >= low && c <= high;
}

std::size_t countOf(std::string_view before, std::string_view after, char c)
{
    return static_cast<std::size_t>(std::count(before.begin(), before.end(), c) +
                                    std::count(after.begin(), after.end(), c));
}

// Letters the two-digit display can show, after the case change that makes them showable.
std::optional<char> sevenSegment(char c)
{
    switch (c) {
    case 'B':
    case 'C':
    case 'D':
    case 'I':
    case 'N':
    case 'O':
    case 'Q':
    case 'R':
    case 'T':
    case 'Y':
        c = toLower(c);
        break;
    case 'a':
    case 'e':
    case 'f':
    case 'g':
    case 'h':
    case 'j':
    case 'l':
    case 'p':
    case 's':
    case 'u':
        c = toUpper(c);
        break;
    default:
        break;
    }
    const std::string_view shown = " -=AEFGHJLPSU_bcdinoqrty";
    if (isDigit(c) || shown.find(c) != std::string_view::npos)
        return c;
    return std::nullopt;
}

std::optional<char> upperText(char c, std::string_view before, std::string_view after)
{
    if (c == ' ') {
        const bool allowed =
            !before.empty() && before.back() != ' ' && (after.empty() || after.front() != ' ');
        return allowed ? std::optional<char>(c) : std::nullopt;
    }
    c = toUpper(c);
    if (c == '"' || c == '\'' || c == '(' || c == ')' || inRange(c, '+', ':') || c == '=' || c == '?' ||
        isUpper(c))
        return c;
    return std::nullopt;
}

std::optional<char> morse(char c, std::string_view before, std::string_view after)
{
    if (c == ' ') {
        const bool besideSpace =
            (!before.empty() && before.back() == ' ') || (!after.empty() && after.front() == ' ');
        return besideSpace ? std::nullopt : std::optional<char>(c);
    }
    return upperText(c, before, after);
}

std::optional<char> messageText(char c)
{
    if (c == ' ' || inRange(c, '#', '%') || inRange(c, '(', '+') || inRange(c, '-', '9') || c == '=' ||
        inRange(c, '@', ']') || c == '_' || isLower(c) || c == '|')
        return c;
    return std::nullopt;
}

} // namespace

std::optional<char> filterCharacter(const CharFilterRule& rule, char typed, std::string_view before,
                                    std::string_view after)
{
    if (rule.maxLength > 0 && static_cast<int>(before.size() + after.size()) >= rule.maxLength)
        return std::nullopt;
    const char c = typed;
    switch (rule.kind) {
    case CharFilterKind::Any:
        return c;
    case CharFilterKind::Digits:
        return isDigit(c) ? std::optional<char>(c) : std::nullopt;
    case CharFilterKind::Decimal: {
        if (isDigit(c))
            return c;
        if (c != '.' && c != ',' && c != rule.decimalSeparator)
            return std::nullopt;
        const bool hasSeparator = countOf(before, after, '.') + countOf(before, after, ',') +
                                      (rule.decimalSeparator != '.' && rule.decimalSeparator != ','
                                           ? countOf(before, after, rule.decimalSeparator)
                                           : 0) >
                                  0;
        return hasSeparator ? std::nullopt : std::optional<char>(rule.decimalSeparator);
    }
    case CharFilterKind::Dtmf: {
        const char u = toUpper(c);
        return (isDigit(u) || inRange(u, 'A', 'D') || u == '*' || u == '#') ? std::optional<char>(u)
                                                                            : std::nullopt;
    }
    case CharFilterKind::Hex: {
        const char u = toUpper(c);
        return (isDigit(u) || inRange(u, 'A', 'F')) ? std::optional<char>(u) : std::nullopt;
    }
    case CharFilterKind::HexToE: {
        const char u = toUpper(c);
        return (isDigit(u) || inRange(u, 'A', 'E')) ? std::optional<char>(u) : std::nullopt;
    }
    case CharFilterKind::HexToEWithQ: {
        const char u = toUpper(c);
        if (isDigit(u) || inRange(u, 'A', 'E'))
            return u;
        if (c == 'Q' && countOf(before, after, 'Q') < 8)
            return c;
        return std::nullopt;
    }
    case CharFilterKind::Alphanumeric:
        return (isDigit(c) || isUpper(c) || isLower(c)) ? std::optional<char>(c) : std::nullopt;
    case CharFilterKind::SevenSegment:
        return sevenSegment(c);
    case CharFilterKind::UpperText:
        return upperText(c, before, after);
    case CharFilterKind::SignedDigits:
        return (isDigit(c) || c == '-') ? std::optional<char>(c) : std::nullopt;
    case CharFilterKind::ZeroToFive:
        return (inRange(c, '0', '5') || c == '-') ? std::optional<char>(c) : std::nullopt;
    case CharFilterKind::DigitsWithA:
        if (isDigit(c))
            return c;
        return (c == 'A' && countOf(before, after, 'A') == 0) ? std::optional<char>(c) : std::nullopt;
    case CharFilterKind::DigitsWithC:
    case CharFilterKind::DigitsWithCO: {
        if (isDigit(c))
            return c;
        const bool letter = c == 'C' || (rule.kind == CharFilterKind::DigitsWithCO && c == 'O');
        const bool used = countOf(before, after, 'C') + countOf(before, after, 'O') > 0;
        return (letter && !used) ? std::optional<char>(c) : std::nullopt;
    }
    case CharFilterKind::PrefixedDigits: {
        if (isDigit(c))
            return c;
        bool isPrefix = false;
        std::size_t used = 0;
        for (const std::string& word : rule.prefixWords) {
            if (word.empty())
                continue;
            isPrefix = isPrefix || word.front() == c;
            used += countOf(before, after, word.front());
        }
        return (isPrefix && used == 0) ? std::optional<char>(c) : std::nullopt;
    }
    case CharFilterKind::MessageText:
        return messageText(c);
    case CharFilterKind::Morse:
        return morse(c, before, after);
    case CharFilterKind::Printable:
        return inRange(c, 0x20, 0x7E) ? std::optional<char>(c) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> filterText(const CharFilterRule& rule, std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto accepted = filterCharacter(rule, text[i], result, text.substr(i + 1));
        if (!accepted)
            return std::nullopt;
        result.push_back(*accepted);
    }
    return result;
}

std::optional<std::string> filterTyped(const CharFilterRule& rule, std::string_view before,
                                       std::string_view typed, std::string_view after)
{
    std::string front(before);
    for (char c : typed) {
        const auto accepted = filterCharacter(rule, c, front, after);
        if (!accepted)
            return std::nullopt;
        front.push_back(*accepted);
    }
    return front.substr(before.size());
}

} // namespace rps
