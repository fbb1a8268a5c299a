#pragma once
// Where the repeater keeps its 30 channels: the index table, the packed 128-byte records,
// and what a record holds. The area offsets themselves are in the image map.
#include "model/ImageMap.h"

#include <cstddef>
#include <cstdint>

namespace rps {

inline constexpr int kMultiTableCount = 15;
inline constexpr uint16_t kEmptyIndexEntry = 0xFFFF;

// Field offsets inside a channel record.
namespace ChannelField {
inline constexpr std::size_t kRxFrequency = 0;
inline constexpr std::size_t kTxFrequency = 4;
inline constexpr std::size_t kName = 16;
inline constexpr std::size_t kSpacingAnalog = 18;
inline constexpr std::size_t kBeatShift = 19;
inline constexpr std::size_t kQtDecode = 20;
inline constexpr std::size_t kQtEncode = 22;
inline constexpr std::size_t kTxPower = 24;
inline constexpr std::size_t kReverseBurst = 25;
inline constexpr std::size_t kOperationMode = 26;
inline constexpr std::size_t kScanAdd = 28;
inline constexpr std::size_t kCompander = 30;
inline constexpr std::size_t kMultiTable = 31;
inline constexpr std::size_t kCwId = 32;
inline constexpr std::size_t kCwIdSetting = 33;
inline constexpr std::size_t kTransmitMode = 34;
inline constexpr std::size_t kChannelType = 35;
inline constexpr std::size_t kRanDecode = 36;
inline constexpr std::size_t kRanEncode = 38;
inline constexpr std::size_t kUserLimit = 40;
inline constexpr std::size_t kKeyData = 42;
inline constexpr std::size_t kSpacingNxdn = 46;
inline constexpr std::size_t kEncodeToneMultiple = 61;
} // namespace ChannelField

// Channel types and operation modes as stored.
inline constexpr uint8_t kTypeAnalog = 0;
inline constexpr uint8_t kTypeNxdn = 1;
inline constexpr uint8_t kTypeMixed = 2;
inline constexpr uint16_t kOperationMode0 = 0;
inline constexpr uint16_t kOperationMode1 = 1; // forced while RX = TX or there is no transmitter
inline constexpr uint16_t kOperationMode256 = 256;

} // namespace rps
