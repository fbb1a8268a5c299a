#include "forms/fields/TextCodec.h"

#include "model/ValueHelpers.h"

#include <algorithm>

namespace rps::fields {

namespace {

constexpr std::string_view kDtmfCharacters = "0123456789ABCD*#"; // indexed by digit

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isMorse(char c)
{
    constexpr std::string_view punctuation = " \"'()+,-./:=?";
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || punctuation.find(c) != std::string_view::npos;
}

bool isPrintable(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte <= 0x7E;
}

std::optional<std::string> dtmfBytes(std::string_view text)
{
    if (text.size() > kDtmfMaxDigits)
        return std::nullopt;
    std::string bytes;
    for (char c : text) {
        const auto digit = dtmfDigit(c);
        if (!digit)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*digit));
    }
    return bytes;
}

std::optional<std::string> morseBytes(std::string_view text, std::size_t length)
{
    std::string bytes;
    for (char c : text.substr(0, std::min(text.size(), length))) {
        const char u = upper(c);
        if (!isMorse(u) || (u == ' ' && !bytes.empty() && bytes.back() == ' '))
            return std::nullopt;
        bytes.push_back(u);
    }
    if (!bytes.empty() && bytes.front() == ' ')
        bytes.erase(0, 1); // a leading space is dropped, the rest moves one place left
    if (bytes.find_first_not_of(' ') == std::string::npos)
        bytes.clear();
    return bytes;
}

std::optional<std::string> printableBytes(std::string_view text)
{
    if (!std::all_of(text.begin(), text.end(), isPrintable))
        return std::nullopt;
    return trimTrailingSpaces(text);
}

} // namespace

std::optional<char> dtmfCharacter(uint8_t digit)
{
    if (digit > 0x0F)
        return std::nullopt;
    return kDtmfCharacters[digit];
}

std::optional<uint8_t> dtmfDigit(char c)
{
    const char u = upper(c);
    if (u >= '0' && u <= '9')
        return static_cast<uint8_t>(u - '0');
    if (u >= 'A' && u <= 'D')
        return static_cast<uint8_t>(u - 'A' + 10);
    if (u == '*')
        return 0x0E;
    if (u == '#')
        return 0x0F;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> encodeText(const TextLayout& layout, std::string_view text)
{
    const auto length = static_cast<std::size_t>(std::max(layout.length, 0));
    if (layout.pad < 0) {
        std::vector<uint8_t> bytes(length);
        writeFixedText(bytes, text);
        return bytes;
    }
    std::optional<std::string> content;
    switch (layout.codec) {
    case TextCodec::Plain:
        content = std::string(text);
        break;
    case TextCodec::DtmfDigits:
        content = dtmfBytes(text);
        break;
    case TextCodec::Morse:
        content = morseBytes(text, length);
        break;
    case TextCodec::Printable:
        content = printableBytes(text);
        break;
    }
    if (!content)
        return std::nullopt;
    std::vector<uint8_t> bytes(length, static_cast<uint8_t>(layout.pad));
    std::copy_n(content->begin(), std::min(content->size(), length), bytes.begin());
    return bytes;
}

std::string decodeText(const TextLayout& layout, std::span<const uint8_t> bytes)
{
    if (layout.pad < 0)
        return readFixedText(bytes);
    std::string text;
    if (layout.codec == TextCodec::DtmfDigits) {
        // Only the first 16 bytes hold digits; a byte that is no digit ends the code.
        for (uint8_t byte : bytes.first(std::min(bytes.size(), kDtmfMaxDigits))) {
            const auto c = dtmfCharacter(byte);
            if (!c)
                break;
            text.push_back(*c);
        }
        return text;
    }
    for (uint8_t byte : bytes) {
        if (byte == static_cast<uint8_t>(layout.pad) || byte == 0xFF)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return trimTrailingSpaces(text);
}

} // namespace rps::fields
