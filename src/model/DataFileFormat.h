#pragma once
// Byte layout of a data file (.dat, 42,561 bytes): a plain 64-byte header with the tag, the
// version, the model block, the marker and the scrambled file password, then the three image
// areas XORed with a one-byte key that sits between main-area offsets 49 and 50.
#include "model/ConfigImage.h"
#include "model/ModelBlock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rps {

inline constexpr std::size_t kDataFileHeaderSize = 64;
inline constexpr std::size_t kDataFileTagLength = 10;
inline constexpr std::size_t kDataFileVersionOffset = 10;
inline constexpr std::size_t kDataFileModelOffset = 16;
inline constexpr std::size_t kDataFileMarkerOffset = 32;
inline constexpr uint8_t kDataFileMarker = 'D';
inline constexpr std::size_t kDataFilePasswordOffset = 33;
inline constexpr std::size_t kDataFilePasswordLength = 6;
inline constexpr std::size_t kMainBeforeKey = 50; // main-area bytes stored before the key byte
inline constexpr std::size_t kDataFileKeyOffset = kDataFileHeaderSize + kMainBeforeKey; // 114
inline constexpr std::size_t kDataFileAuxOffset = kDataFileHeaderSize + 1 + kMainSize;  // 41,025
inline constexpr std::size_t kDataFileLocalOffset = kDataFileAuxOffset + kAuxSize;      // 42,305
inline constexpr std::size_t kDataFileSize = kDataFileLocalOffset + kLocalSize;         // 42,561

inline constexpr std::array<uint8_t, kDataFileTagLength> kDataFileTag{'R', 'P', 'S', '-',  '3',
                                                                      '6', '0', 'T', 0xFF, 0xFF};

using DataFileHeader = std::array<uint8_t, kDataFileHeaderSize>;
using FilePasswordField = std::array<uint8_t, kDataFilePasswordLength>;

// File offset of a main-area offset.
constexpr std::size_t dataFileOffsetOfMain(std::size_t mainOffset)
{
    return mainOffset < kMainBeforeKey ? kDataFileHeaderSize + mainOffset
                                       : kDataFileHeaderSize + 1 + mainOffset;
}

// The password as stored in the header: up to six characters, unused positions 0xFF; a digit
// is replaced from the substitution string, then every position is XORed with the file key.
// Other characters are stored as they are before the XOR.
FilePasswordField scrambleFilePassword(std::string_view password);

// Header bytes 0-63; the password field stays 0xFF without a password.
DataFileHeader buildDataFileHeader(const ModelBlock& block, std::optional<std::string_view> password);

// The key byte of a save: with Encrypt Mode the local time's minute + second + 1 (1..119),
// without it 0 (areas stored plain).
uint8_t chooseDataFileKey(bool encryptMode);

void xorBytes(std::span<uint8_t> bytes, uint8_t key);

// The name of the program a file tag belongs to, as the tag spells it: the printable
// characters up to the first other byte, at most the ten bytes of the tag.
std::string tagProgramName(std::span<const uint8_t> tag);

} // namespace rps
