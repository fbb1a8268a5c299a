#pragma once
// The memory map viewer's rules: a window on an area of the image shown as lines of sixteen
// bytes, the texts of its headers and cells, address entry and byte edits. An edit that
// would leave the model block invalid is refused: the image must stay one this program
// can open again.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rps {

inline constexpr std::size_t kMemMapBytesPerLine = 16;
inline constexpr int kMemMapRefusedText = 774;

// The bytes on show and the address of their first byte. Nothing when the window has gone
// (a channel record viewer whose channel was deleted).
struct MemMapWindow {
    std::span<uint8_t> bytes;
    std::size_t baseAddress = 0;    // shown address of bytes[0]
    std::size_t mainAreaOffset = 0; // offset in the main area, for the model block guard
    bool inMainArea = false;
};

using MemMapSource = std::function<std::optional<MemMapWindow>()>;

// "   %.3X_": the line address without its last digit.
std::string memMapLineHeader(std::size_t lineAddress);
// "__%X" for columns 0..F.
std::string memMapColumnHeader(int column);
std::string memMapHexCell(uint8_t byte);
// The character column shows printable characters; others show as a dot.
std::string memMapCharCell(uint8_t byte);

// A confirmed hex cell entry: empty = 0xFF, one digit is prefixed with "0", two digits are
// the byte. Anything but 0-9 and A-F (either case) is refused.
std::optional<uint8_t> parseMemMapHexEntry(std::string_view text);
// An address entry of up to four hex digits; the offset into the window when it lies inside.
std::optional<std::size_t> parseMemMapAddress(std::string_view text, std::size_t baseAddress,
                                              std::size_t length);

struct MemMapWriteResult {
    bool written = false;
    int refusedText = 0; // language text of the refusal, 0 when written
};

// Writes one byte of the window. A byte of the main area's model block that would make the
// block unknown to the model table is put back and the write refused.
MemMapWriteResult writeMemMapByte(const MemMapWindow& window, std::span<uint8_t> mainArea, std::size_t offset,
                                  uint8_t value);

} // namespace rps
