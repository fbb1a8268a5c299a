#pragma once
// Which channels an index table really names. The records lie packed from 0x1000 in channel
// order, so the k-th programmed channel must point at record k; an entry that is empty,
// unaligned, outside the channel area or out of that order names no record. The channel forms
// and the file information use this one rule, so they agree on what a hostile table holds.
// (The checks before a write look at every in-area entry instead: the repeater reads the
// table as it stands.)
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/records/ChannelLayout.h"

#include <array>
#include <optional>
#include <span>

namespace rps {

using ChannelRecordOffsets = std::array<std::optional<std::size_t>, kChannelCount>;

inline ChannelRecordOffsets trustedChannelRecords(std::span<const uint8_t> mainArea)
{
    ChannelRecordOffsets offsets{};
    std::size_t expected = kChannelAreaStart;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const uint16_t entry = getU16(mainArea, kChannelIndexOffset + 2 * static_cast<std::size_t>(channel));
        if (entry == kEmptyIndexEntry || entry != expected || expected + kChannelRecordSize > kChannelAreaEnd)
            continue;
        offsets[static_cast<std::size_t>(channel)] = expected;
        expected += kChannelRecordSize;
    }
    return offsets;
}

// The record a channel's entry points at as the repeater reads the table: any entry whose
// record lies inside the channel area, packed or not; nothing for an empty or outside entry.
inline std::optional<std::size_t> channelRecordInArea(std::span<const uint8_t> mainArea, int channel)
{
    const uint16_t entry = getU16(mainArea, kChannelIndexOffset + 2 * static_cast<std::size_t>(channel));
    if (entry == kEmptyIndexEntry || entry < kChannelAreaStart ||
        entry + kChannelRecordSize > kChannelAreaEnd)
        return std::nullopt;
    return entry;
}

inline int trustedChannelCount(std::span<const uint8_t> mainArea)
{
    int count = 0;
    for (const auto& offset : trustedChannelRecords(mainArea))
        count += offset.has_value() ? 1 : 0;
    return count;
}

} // namespace rps
