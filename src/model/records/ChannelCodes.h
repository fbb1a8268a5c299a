#pragma once
// Text forms of the coded channel fields: QT/DQT squelch codes, RAN, the two-character
// channel name and the key data number.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

inline constexpr uint16_t kCodeOff = 0xFFFF;
inline constexpr uint16_t kDqtFlag = 0x2000;
inline constexpr uint16_t kDqtMarker = 0x0800;
inline constexpr uint16_t kDqtInverted = 0x8000;
inline constexpr uint16_t kQtMinTenths = 670;
inline constexpr uint16_t kQtMaxTenths = 2541;

// The 39 QT tones in tenths of a hertz and the 83 DQT codes (octal digits as written).
extern const std::array<uint16_t, 39> kQtTones;
extern const std::array<uint16_t, 83> kDqtCodes;

// "67.0" / "D023N"; offText for 0xFFFF.
std::string formatQtDqt(uint16_t code, std::string_view offText, char decimalSeparator = '.');
// A typed or chosen QT/DQT text: offText or empty = off; "D..." = DQT with the digits
// completed by '0' and the suffix by 'N'; anything else a tone clamped to 67.0..254.1 Hz.
uint16_t parseQtDqt(std::string_view text, std::string_view offText, char decimalSeparator = '.');
// The 206 codes offered in every QT/DQT list: off, tones, DQT normal, DQT inverted.
const std::vector<uint16_t>& qtDqtChoiceCodes();

inline constexpr uint16_t kRanMin = 1;
inline constexpr uint16_t kRanMax = 63;
std::string formatRan(uint16_t ran, std::string_view offText);
uint16_t parseRan(std::string_view text, std::string_view offText);

inline constexpr uint16_t kKeyDataMin = 1;
inline constexpr uint16_t kKeyDataMax = 32767;
std::string formatKeyData(uint16_t keyData);
uint16_t parseKeyData(std::string_view text);
// Spin buttons of the key data: +1/-1 over 1..32767 with wrap; none counts as 0.
uint16_t spinKeyData(uint16_t keyData, int direction);

// Channel name: two display characters; 0xFFFF = no name.
std::string formatChannelName(uint16_t stored);
uint16_t encodeChannelName(std::string_view text);
// Names the repeater uses for its own display states.
bool isReservedChannelName(std::string_view text);
// The name a new channel gets: its number right-justified in two characters.
std::string defaultChannelName(int channelIndex);

} // namespace rps
