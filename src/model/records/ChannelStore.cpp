#include "model/records/ChannelStore.h"

#include "model/ByteOrder.h"
#include "model/records/ChannelCodes.h"
#include "model/records/ChannelIndex.h"
#include "model/records/FunctionCodePlaces.h"

#include <algorithm>
#include <cstring>

namespace rps {

std::array<std::optional<std::size_t>, kChannelCount> ChannelStore::trustedOffsets() const
{
    return trustedChannelRecords(main_);
}

std::optional<std::size_t> ChannelStore::recordOffset(int channel) const
{
    if (channel < 0 || channel >= kChannelCount)
        return std::nullopt;
    return trustedOffsets()[static_cast<std::size_t>(channel)];
}

std::span<uint8_t> ChannelStore::record(int channel)
{
    const auto offset = recordOffset(channel);
    if (!offset)
        return {};
    return main_.subspan(*offset, kChannelRecordSize);
}

std::span<const uint8_t> ChannelStore::record(int channel) const
{
    const auto offset = recordOffset(channel);
    if (!offset)
        return {};
    return std::span<const uint8_t>(main_).subspan(*offset, kChannelRecordSize);
}

int ChannelStore::programmedCount() const
{
    return trustedChannelCount(main_);
}

std::size_t ChannelStore::freeBytes() const
{
    return static_cast<std::size_t>(kChannelCount - programmedCount()) * kChannelRecordSize;
}

void ChannelStore::rewriteIndexTable(const std::array<bool, kChannelCount>& programmed)
{
    std::size_t offset = kChannelAreaStart;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        uint16_t entry = kEmptyIndexEntry;
        if (programmed[static_cast<std::size_t>(channel)]) {
            entry = static_cast<uint16_t>(offset);
            offset += kChannelRecordSize;
        }
        setU16(main_, kChannelIndexOffset + 2 * static_cast<std::size_t>(channel), entry);
    }
    setU32(main_, kChannelAreaEndWord, static_cast<uint32_t>(offset - 1));
}

bool ChannelStore::create(int channel)
{
    if (channel < 0 || channel >= kChannelCount)
        return false;
    const auto offsets = trustedOffsets();
    if (offsets[static_cast<std::size_t>(channel)])
        return false;
    std::array<bool, kChannelCount> programmed{};
    std::size_t count = 0;
    std::size_t before = 0;
    for (int c = 0; c < kChannelCount; ++c) {
        programmed[static_cast<std::size_t>(c)] = offsets[static_cast<std::size_t>(c)].has_value();
        if (programmed[static_cast<std::size_t>(c)]) {
            ++count;
            if (c < channel)
                ++before;
        }
    }
    if (count >= static_cast<std::size_t>(kChannelCount))
        return false;
    // Records of later channels move up by one record; the topmost record slot of the area
    // is free because at most 29 channels are programmed.
    const std::size_t at = kChannelAreaStart + before * kChannelRecordSize;
    std::memmove(main_.data() + at + kChannelRecordSize, main_.data() + at,
                 kChannelAreaEnd - kChannelRecordSize - at);
    std::fill_n(main_.data() + at, kChannelRecordSize, uint8_t{0xFF});
    programmed[static_cast<std::size_t>(channel)] = true;
    rewriteIndexTable(programmed);
    writeInitialValues(main_.subspan(at, kChannelRecordSize), channel);
    return true;
}

void ChannelStore::writeInitialValues(std::span<uint8_t> r, int channel)
{
    namespace F = ChannelField;
    setU16(r, F::kName, encodeChannelName(defaultChannelName(channel)));
    r[F::kChannelType] = kTypeNxdn;
    r[F::kMultiTable] = 0;
    r[F::kSpacingAnalog] = 0;
    r[F::kEncodeToneMultiple] = 1;
    r[F::kSpacingNxdn] = 1;
    r[F::kTxPower] = 0;
    r[F::kBeatShift] |= 0x01; // Beat Shift off; the options keep their bits
    r[F::kReverseBurst] = 0;
    setU16(r, F::kOperationMode, kOperationMode256);
    r[F::kScanAdd] = 0;
    r[F::kCwId] = 0;
    r[F::kCompander] = 0;
    r[F::kCwIdSetting] = 60;
    r[52] = 30;
    r[53] = 50;
    std::fill_n(r.data() + 54, 4, uint8_t{0});
    r[58] = 20;
    r[59] = 80;
    r[60] = 0;
    setU16(r, F::kRanDecode, kCodeOff);
    setU16(r, F::kRanEncode, kCodeOff);
}

bool ChannelStore::remove(int channel)
{
    const auto offsets = trustedOffsets();
    if (channel < 0 || channel >= kChannelCount || !offsets[static_cast<std::size_t>(channel)])
        return false;
    const std::size_t at = *offsets[static_cast<std::size_t>(channel)];
    std::memmove(main_.data() + at, main_.data() + at + kChannelRecordSize,
                 kChannelAreaEnd - kChannelRecordSize - at);
    std::fill_n(main_.data() + kChannelAreaEnd - kChannelRecordSize, kChannelRecordSize, uint8_t{0xFF});
    std::array<bool, kChannelCount> programmed{};
    for (int c = 0; c < kChannelCount; ++c)
        programmed[static_cast<std::size_t>(c)] =
            c != channel && offsets[static_cast<std::size_t>(c)].has_value();
    rewriteIndexTable(programmed);

    setEncryptionOn(channel, false);
    setVoiceScramblerOn(channel, false);
    if (main_[kPriorityChannelOffset] == channel + 1)
        main_[kPriorityChannelOffset] = 0xFF;
    removeChannelFunction(main_, channel); // and the remote-control entries of keys that ran it
    return true;
}

bool ChannelStore::auxBitOn(std::size_t base, int channel) const
{
    if (channel < 0 || channel >= kChannelCount)
        return false;
    const auto n = static_cast<std::size_t>(channel);
    return (aux_[base + n / 8] & (1u << (n % 8))) == 0;
}

void ChannelStore::setAuxBit(std::size_t base, int channel, bool on)
{
    if (channel < 0 || channel >= kChannelCount)
        return;
    const auto n = static_cast<std::size_t>(channel);
    const auto mask = static_cast<uint8_t>(1u << (n % 8));
    if (on)
        aux_[base + n / 8] = static_cast<uint8_t>(aux_[base + n / 8] & ~mask);
    else
        aux_[base + n / 8] = static_cast<uint8_t>(aux_[base + n / 8] | mask);
}

int ChannelStore::multiTableCount(int table, uint8_t channelType) const
{
    if (table < 1 || table > kMultiTableCount)
        return 0;
    auto count = [&](std::size_t base) {
        const uint8_t value = main_[base + static_cast<std::size_t>(table - 1)];
        return value == 0xFF ? 0 : static_cast<int>(value);
    };
    if (channelType == kTypeAnalog)
        return count(kMultiAnalogCountOffset);
    if (channelType == kTypeNxdn)
        return count(kMultiNxdnCountOffset);
    return count(kMultiAnalogCountOffset) + count(kMultiNxdnCountOffset);
}

bool ChannelStore::anyMultiTableFor(uint8_t channelType) const
{
    for (int table = 1; table <= kMultiTableCount; ++table) {
        if (multiTableCount(table, channelType) > 0)
            return true;
    }
    return false;
}

} // namespace rps
