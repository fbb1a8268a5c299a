#include "forms/fields/RowOrder.h"

#include "forms/fields/FieldEngine.h"

#include <algorithm>
#include <cstdint>

namespace rps::fields {

void RowOrder::reset(int count)
{
    records_.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < records_.size(); ++i)
        records_[i] = static_cast<int>(i);
    identity_ = true;
    indexRows();
}

int RowOrder::record(int row) const
{
    return row >= 0 && row < size() ? records_[static_cast<std::size_t>(row)] : row;
}

int RowOrder::row(int record) const
{
    return record >= 0 && record < size() ? rows_[static_cast<std::size_t>(record)] : record;
}

void RowOrder::sortBy(const FieldEngine& engine, const FieldRow& field, int firstRecord)
{
    // One 64-bit key per record (value above, record below) sorts without a comparison of pairs.
    std::vector<uint64_t> keys(records_.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto value = engine.raw(field, firstRecord + static_cast<int>(i));
        const uint64_t high = value ? *value : uint64_t{1} << 32;
        keys[i] = high << 20 | i;
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < keys.size(); ++i)
        records_[i] = static_cast<int>(keys[i] & 0xFFFFF);
    identity_ = false;
    indexRows();
}

void RowOrder::indexRows()
{
    rows_.resize(records_.size());
    for (std::size_t r = 0; r < records_.size(); ++r)
        rows_[static_cast<std::size_t>(records_[r])] = static_cast<int>(r);
}

} // namespace rps::fields
