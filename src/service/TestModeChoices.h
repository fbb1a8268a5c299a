#pragma once
// The choice rules of test mode: which test channels are valid, the spacing choices per mode,
// the signalling counts and the bit-error-rate text.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace rps {

inline constexpr int kTestChannelCount = 16;
inline constexpr int kNarrowOnlySignalling = 14; // signalling 15 (shown 1-based) needs spacing 1

struct ChoiceItem {
    int text;
    int value;
};

// A test channel is valid when its receive frequency is set.
bool isTestChannelValid(std::span<const uint8_t> mainArea, int channel);
// The next valid channel from `from` in `direction` (+1/-1), wrapping between 16 and 1; the
// search stops after one cycle, so a table of empty records cannot hang the spin.
std::optional<int> nextValidTestChannel(std::span<const uint8_t> mainArea, int from, int direction);
// Receive and transmit frequency of a test channel as stored (Hz, low byte first).
uint32_t testChannelReceive(std::span<const uint8_t> mainArea, int channel);
uint32_t testChannelTransmit(std::span<const uint8_t> mainArea, int channel);

int signallingCount(int mode); // 15 in mode 0, 26 in mode 1
// "Wide/Narrow" items for a mode; in mode 0 with signalling 15 only the item of value 1.
std::vector<ChoiceItem> spacingChoices(int mode, bool firstGroup, int signalling);
// Whether a signalling may be chosen with a spacing in a mode.
bool signallingAllowed(int mode, int signalling, int spacing);

// "****" for 0xFFFE, "----" for 0xFFFF, blank for 10001..0xFFFD, else the percentage.
std::string berText(uint16_t value);

} // namespace rps
