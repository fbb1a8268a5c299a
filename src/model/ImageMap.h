#pragma once
// Where things live in the configuration image: the named places of the main area's global
// settings, the channel area and the auxiliary block (the local block holds only the trace
// data window). Every part of the program that reaches into the image by offset takes the
// offset from here.
#include "model/FeatureMap.h"
#include "model/SignallingMap.h"

#include <cstddef>
#include <cstdint>

namespace rps {

// Main area: global settings and tables before the channel area (the feature areas are named in
// FeatureMap.h).
inline constexpr std::size_t kChannelIndexOffset = 0x0000;     // 100 x u16 record offsets
inline constexpr std::size_t kMultiAnalogCountOffset = 0x00C8; // 15 x u8 entry counts
inline constexpr std::size_t kMultiNxdnCountOffset = 0x00D7;   // 15 x u8 entry counts
inline constexpr std::size_t kTestFrequencyOffset = 0x0100;
inline constexpr std::size_t kEmbeddedMessageOffset = 0x0200;
inline constexpr std::size_t kDataVersionOffset = 0x0248; // "V1.00"
inline constexpr std::size_t kDataFormatOffset = 0x024D;  // "100"
inline constexpr std::size_t kChecksumOffset = 0x0256;
inline constexpr std::size_t kChannelAreaEndWord = 0x025C; // u32, last byte of the programmed records
inline constexpr std::size_t kRepeatHangTimeOffset = feature::kRepeatHangTime; // 0xFFFF if never set
inline constexpr std::size_t kTxStandbyOffset = 0x0282;                        // u8, 0xFF = off
inline constexpr std::size_t kPortModeOffset = feature::kPortModes; // one byte per terminal, 1 = output
inline constexpr std::size_t kScanPriorityOffset = feature::kScanPriority;           // '0' = priority scan
inline constexpr std::size_t kPriorityChannelOffset = feature::kScanPriorityChannel; // 0xFF = none
inline constexpr std::size_t kTuningFrequencyOffset = feature::kTuningPoints;
inline constexpr std::size_t kModelBlockOffset = 0x0400;
inline constexpr std::size_t kNxdnUnitIdOffset = signalling::kNxdnUnitId; // u16, 0xFFFF = not set
inline constexpr std::size_t kInstallationIdOffset = 0x0430;
inline constexpr std::size_t kInstallationIdSize = 12;
inline constexpr std::size_t kFixedOutputTable =
    feature::kFixedOutputs; // five 8-byte fixed AUX output entries
inline constexpr std::size_t kPortOutputTable =
    feature::kPortOutputs; // six 8-byte function-port output entries
inline constexpr std::size_t kDtmfAreaOffset = signalling::kDtmfArea;

// Main area: the channel area, 30 records of 128 bytes packed from its start.
inline constexpr int kChannelCount = 30;
inline constexpr std::size_t kChannelRecordSize = 128;
inline constexpr std::size_t kChannelIndexEntries = 100; // entries 30..99 stay 0xFFFF
inline constexpr std::size_t kChannelAreaStart = 0x1000;
inline constexpr std::size_t kChannelAreaEnd = 0x5000; // one past the last byte

// Auxiliary block: per-channel bit maps (bit n % 8 of byte n / 8; a clear bit means on).
inline constexpr std::size_t kVoiceScramblerBitsOffset = 0x00;
inline constexpr std::size_t kEncryptionBitsOffset = 0x10;

} // namespace rps
