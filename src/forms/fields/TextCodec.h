#pragma once
// How a text field's characters become bytes and back. A plain text keeps its characters as
// they are; a DTMF code holds one digit per byte (0x0-0xF); a Morse text is upper-case ASCII
// from the Morse set; a printable text is ASCII 0x20-0x7E. Every text field is padded with
// its pad byte after the last character.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps::fields {

enum class TextCodec {
    Plain,      // characters as they are
    DtmfDigits, // "0"-"9" "A"-"D" "*" "#" as 0x0-0xF, at most 16 digits
    Morse,      // the Morse set, single inner spaces, lower case made capital
    Printable,  // ASCII 0x20-0x7E, trailing spaces not stored
};

inline constexpr std::size_t kDtmfMaxDigits = 16;

// The layout of one text field: its length, its pad byte (a negative pad: spaces, and an
// all-blank text stored as 0xFF) and its codec.
struct TextLayout {
    int length = 0;
    int pad = -1;
    TextCodec codec = TextCodec::Plain;
};

// The bytes a text is stored as (exactly `length` of them), or nothing when the codec
// refuses the text: a character it cannot store, two spaces in a row in a Morse text, or a
// DTMF code longer than 16 digits. A longer text of another codec is cut to the length.
std::optional<std::vector<uint8_t>> encodeText(const TextLayout& layout, std::string_view text);

// The text the bytes show: up to the pad byte (or, for a DTMF code, the first byte that is
// no digit), trailing spaces cut.
std::string decodeText(const TextLayout& layout, std::span<const uint8_t> bytes);

// The character of a DTMF digit (0x0-0xF), or nothing.
std::optional<char> dtmfCharacter(uint8_t digit);
// The digit of a DTMF character (either letter case), or nothing.
std::optional<uint8_t> dtmfDigit(char c);

} // namespace rps::fields
