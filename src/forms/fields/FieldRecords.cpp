#include "forms/fields/FieldRecords.h"

#include "model/records/ChannelIndex.h"

#include <algorithm>
#include <charconv>

namespace rps::fields {

std::vector<uint8_t> RecordSet::recordBytes(int index) const
{
    const std::span<uint8_t> bytes = record(index);
    return {bytes.begin(), bytes.end()};
}

void RecordSet::writeRecordBytes(int index, std::span<const uint8_t> bytes)
{
    const std::span<uint8_t> target = record(index);
    std::copy_n(bytes.begin(), std::min(bytes.size(), target.size()), target.begin());
}

void RecordSet::fillRecord(int index, uint8_t byte)
{
    const std::span<uint8_t> bytes = record(index);
    std::fill(bytes.begin(), bytes.end(), byte);
}

std::optional<int> RecordSet::recordOfKey(std::string_view part) const
{
    for (int index = 0; index < count(); ++index) {
        if (recordKey(index) == part)
            return index;
    }
    return std::nullopt;
}

std::optional<int> recordNumberOfKey(std::string_view part, int count)
{
    int number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    // Only the number as recordKey writes it: no sign, no leading zero.
    if (error != std::errc() || end != part.data() + part.size() || part.starts_with('0') || number < 1 ||
        number > count)
        return std::nullopt;
    return number - 1;
}

std::optional<int> StrideRecords::recordOfKey(std::string_view part) const
{
    return recordNumberOfKey(part, count_);
}

std::span<uint8_t> StrideRecords::record(int index) const
{
    if (index < 0 || index >= count_)
        return {};
    const std::size_t start = base_ + static_cast<std::size_t>(index) * stride_;
    if (start + size_ > area_.size())
        return {};
    return area_.subspan(start, size_);
}

std::span<uint8_t> ChannelRecords::record(int index) const
{
    if (index < 0 || index >= kChannelCount)
        return {};
    const auto& offset = offsets_[static_cast<std::size_t>(index)];
    return offset ? store_.mainArea().subspan(*offset, kChannelRecordSize) : std::span<uint8_t>();
}

void ChannelRecords::reload()
{
    offsets_ = trustedChannelRecords(store_.mainArea());
}

} // namespace rps::fields
