#pragma once
// Where the repeater keeps its 30 channels: the index table, the packed 128-byte records,
// the end-of-area word, and the per-channel bit maps of the auxiliary block.
#include <cstddef>
#include <cstdint>

namespace rps {

inline constexpr int kChannelCount = 30;
inline constexpr std::size_t kChannelRecordSize = 128;
inline constexpr std::size_t kChannelIndexEntries = 100; // entries 30..99 stay 0xFFFF
inline constexpr std::size_t kChannelAreaStart = 0x1000;
inline constexpr std::size_t kChannelAreaEnd = 0x5000; // one past the last byte
inline constexpr std::size_t kChannelAreaEndWord = 0x025C;
inline constexpr std::size_t kPriorityChannelOffset = 0x02B6;
inline constexpr std::size_t kMultiAnalogCountOffset = 0x00C8;
inline constexpr std::size_t kMultiNxdnCountOffset = 0x00D7;
inline constexpr int kMultiTableCount = 15;
inline constexpr uint16_t kEmptyIndexEntry = 0xFFFF;

// Auxiliary block bit maps (bit n % 8 of byte n / 8; a clear bit means on).
inline constexpr std::size_t kVoiceScramblerBitsOffset = 0x00;
inline constexpr std::size_t kEncryptionBitsOffset = 0x10;

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

// Items of a channel, numbered as the channel edit form numbers its controls; the channel
// store formats, stores and enables fields by these numbers.
enum ChannelItem : int {
    kItemChannel = 0,
    kItemRxFrequency = 1,
    kItemTxFrequency = 2,
    kItemChannelType = 3,
    kItemTransmitMode = 4,
    kItemQtDecode = 5,
    kItemQtEncode = 6,
    kItemRanDecode = 7,
    kItemRanEncode = 8,
    kItemName = 9,
    kItemTxPower = 10,
    kItemSpacingAnalog = 11,
    kItemSpacingNxdn = 12,
    kItemEncodeToneMultiple = 13,
    kItemOperationMode = 14,
    kItemMultiTable = 15,
    kItemBeatShift = 16,
    kItemReverseBurst = 17,
    kItemScanAdd = 18,
    kItemCompander = 19,
    kItemCwId = 20,
    kItemCwIdButton = 21,
    kItemUserLimit = 22,
    kItemScramblerGroup = 23,
    kItemVoiceScrambler = 24,
    kItemEncryptionGroup = 25,
    kItemEncryption = 26,
    kItemKeyData = 27,
    kChannelItemCount = 28,
};

// Channel types and operation modes as stored.
inline constexpr uint8_t kTypeAnalog = 0;
inline constexpr uint8_t kTypeNxdn = 1;
inline constexpr uint8_t kTypeMixed = 2;
inline constexpr uint16_t kOperationMode0 = 0;
inline constexpr uint16_t kOperationMode1 = 1; // forced while RX = TX or there is no transmitter
inline constexpr uint16_t kOperationMode256 = 256;

} // namespace rps
