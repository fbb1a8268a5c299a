#include "forms/fields/RecordRows.h"

#include <algorithm>
#include <map>

namespace rps::fields {

namespace {

std::map<const GridShape*, RecordClipboard>& clipboards()
{
    static std::map<const GridShape*, RecordClipboard> all;
    return all;
}

} // namespace

void RecordClipboard::copy(const RecordSet& records, int first, int last)
{
    copied_.clear();
    for (int index = std::max(first, 0); index <= last && index < records.count(); ++index) {
        copied_.push_back(records.recordBytes(index));
    }
}

void RecordClipboard::copy(const RecordSet& records, const std::vector<int>& indices)
{
    copied_.clear();
    for (int index : indices) {
        const std::span<uint8_t> bytes = records.record(index);
        copied_.emplace_back(bytes.begin(), bytes.end());
    }
}

int RecordClipboard::paste(RecordSet& records, const std::vector<int>& targets) const
{
    int written = 0;
    for (std::size_t i = 0; i < copied_.size() && i < targets.size(); ++i) {
        const std::span<uint8_t> target = records.record(targets[i]);
        std::copy_n(copied_[i].begin(), std::min(copied_[i].size(), target.size()), target.begin());
        ++written;
    }
    return written;
}

int RecordClipboard::paste(RecordSet& records, int start, int end) const
{
    int written = 0;
    end = std::min(end, records.count());
    for (std::size_t i = 0; i < copied_.size(); ++i) {
        const int index = start + static_cast<int>(i);
        if (index < 0 || index >= end)
            break;
        records.writeRecordBytes(index, copied_[i]);
        ++written;
    }
    return written;
}

RecordClipboard& recordClipboard(const GridShape& grid)
{
    return clipboards()[&grid];
}

void clearRecordClipboards()
{
    for (auto& [grid, clipboard] : clipboards())
        clipboard.clear();
}

namespace {

// The same command on rows shown in another order than the records': record by record.
EditResult runOnOrderedRows(FieldEngine& engine, const GridShape& grid, RecordCommand command, int firstRow,
                            int lastRow, const RowOrder& order)
{
    const RecordRows& rows = grid.records;
    std::vector<int> records;
    const int lastPasted =
        command == RecordCommand::Paste
            ? std::min(rows.count - 1, firstRow + static_cast<int>(recordClipboard(grid).size()) - 1)
            : lastRow;
    for (int row = firstRow; row <= lastPasted; ++row)
        records.push_back(rows.first + order.record(row));
    if (command == RecordCommand::Copy) {
        recordClipboard(grid).copy(engine.records(), records);
        return {};
    }
    if (command == RecordCommand::Paste)
        records.resize(static_cast<std::size_t>(recordClipboard(grid).paste(engine.records(), records)));
    else {
        for (int index : records) {
            const std::span<uint8_t> bytes = engine.records().record(index);
            std::fill(bytes.begin(), bytes.end(), rows.emptyByte);
        }
    }
    EditResult result;
    for (int index : records) {
        const EditResult one = engine.recordsRewritten(index, index);
        result.changed |= one.changed;
        result.touched |= one.touched;
        result.structureChanged |= one.structureChanged;
        if (!result.message)
            result.message = one.message;
    }
    return result;
}

} // namespace

EditResult runRecordCommand(FieldEngine& engine, const GridShape& grid, RecordCommand command, int firstRow,
                            int lastRow, int group, const RowOrder* order)
{
    const RecordRows& rows = grid.records;
    // Rows come from the selection; only rows of this grid reach the image, never its blank row.
    firstRow = std::max(firstRow, rows.blankFirstRow ? 1 : 0);
    // A paste starts at the first row whatever else was selected.
    lastRow =
        std::min(command == RecordCommand::Paste ? std::max(lastRow, firstRow) : lastRow, rows.count - 1);
    if (!rows.rowCommands || firstRow > lastRow)
        return {};
    if (order && !order->isIdentity())
        return runOnOrderedRows(engine, grid, command, firstRow, lastRow, *order);
    RecordSet& records = engine.records();
    const int base = rows.first + std::max(group, 0) * rows.groupStride;
    const int first = base + firstRow;
    const int last = base + lastRow;
    switch (command) {
    case RecordCommand::Copy:
        recordClipboard(grid).copy(records, first, last);
        return {};
    case RecordCommand::Paste: {
        const int written = recordClipboard(grid).paste(records, first, base + rows.count);
        if (written == 0)
            return {};
        return engine.recordsRewritten(first, first + written - 1);
    }
    case RecordCommand::Delete:
        for (int index = first; index <= last; ++index)
            records.fillRecord(index, rows.emptyByte);
        return engine.recordsRewritten(first, last);
    }
    return {};
}

} // namespace rps::fields
