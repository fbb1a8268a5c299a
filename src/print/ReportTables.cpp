#include "print/ReportTables.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace rps::print {

using fields::FieldEngine;
using fields::FieldRow;

namespace {

// Which table a field goes to: its frame or grid, the grid's record group, the record.
using TableKey = std::tuple<int, int, int>;

std::string captionOf(const FieldEngine& engine, const FieldRow& row)
{
    std::string caption = engine.env().text(row.text);
    // A numbered field says what its frame holds ("CW ID 3", not "3").
    const FieldRow* frame = fields::findRow(engine.table(), row.place.group);
    if (row.text < 0 && frame)
        caption = engine.env().text(frame->text) + " " + caption;
    return caption;
}

std::string columnCaption(const FieldEngine& engine, const FieldRow& row, const FieldRow& grid)
{
    const auto column = static_cast<std::size_t>(row.place.cellColumn);
    if (column < grid.grid->columns.size() && grid.grid->columns[column].text != 0)
        return engine.env().text(grid.grid->columns[column].text);
    return captionOf(engine, row);
}

std::vector<std::string>& cellRow(TextTable& table, std::size_t row, std::size_t columns)
{
    if (table.rows.size() <= row)
        table.rows.resize(row + 1);
    if (table.rows[row].size() < columns)
        table.rows[row].resize(columns);
    return table.rows[row];
}

// A record grid: one row per record of the group, the record's number first.
void addRecordCell(TextTable& table, const FieldEngine& engine, const FieldRow& row, const FieldRow& grid,
                   int record, std::map<int, std::size_t>& rowOfRecord)
{
    const fields::RecordRows& shape = grid.grid->records;
    const std::size_t columns = std::max<std::size_t>(grid.grid->columns.size(), 1) + 1;
    if (table.headers.empty()) {
        table.headers.assign(columns, std::string());
        table.headers[0] =
            engine.env().text(grid.grid->labelText ? grid.grid->labelText : fields::kRecordNumberText);
    }
    const auto column = static_cast<std::size_t>(row.place.cellColumn) + 1;
    if (table.headers.size() <= column)
        table.headers.resize(column + 1);
    table.headers[column] = columnCaption(engine, row, grid);
    auto [at, added] = rowOfRecord.try_emplace(record, table.rows.size());
    std::vector<std::string>& cells = cellRow(table, at->second, table.headers.size());
    if (added) {
        const int inGroup =
            shape.groupStride ? (record - shape.first) % shape.groupStride : record - shape.first;
        cells[0] = std::to_string(shape.blankFirstRow ? inGroup : inGroup + 1);
    }
    cells[column] = engine.shown(row, record);
}

// A grid of fields: its row labels down the side, its column headers across.
void addMatrixCell(TextTable& table, const FieldEngine& engine, const FieldRow& row, const FieldRow& grid,
                   int record)
{
    const fields::GridShape& shape = *grid.grid;
    const std::size_t columns =
        std::max(shape.columns.size(), static_cast<std::size_t>(row.place.cellColumn) + 1) + 1;
    if (table.headers.size() < columns) {
        table.headers.resize(columns);
        table.headers[0] = engine.env().text(shape.labelText);
        for (std::size_t c = 0; c < shape.columns.size(); ++c)
            table.headers[c + 1] = engine.env().text(shape.columns[c].text);
    }
    if (table.headers[static_cast<std::size_t>(row.place.cellColumn) + 1].empty())
        table.headers[static_cast<std::size_t>(row.place.cellColumn) + 1] = captionOf(engine, row);
    const auto at = static_cast<std::size_t>(row.place.cellRow);
    std::vector<std::string>& cells = cellRow(table, at, table.headers.size());
    if (at < shape.rowTexts.size())
        cells[0] = engine.env().text(shape.rowTexts[at]);
    cells[static_cast<std::size_t>(row.place.cellColumn) + 1] = engine.shown(row, record);
}

} // namespace

SectionBody formTables(const DeclaredForm& form, FieldEngine& engine, const std::function<bool(int)>& wanted)
{
    SectionBody body;
    std::map<TableKey, std::size_t> tableOf;
    std::map<TableKey, std::map<int, std::size_t>> rowsOf;
    const bool manyRecords = engine.records().count() > 1;
    for (const FieldEntry& field : listFields(form, engine)) {
        if (wanted && !wanted(field.record))
            continue;
        const FieldRow& row = *field.row;
        const FieldRow* frame = fields::findRow(engine.table(), row.place.group);
        const bool inGrid =
            frame && frame->control == fields::Control::Grid && frame->grid && row.place.isCell();
        const bool recordGrid = inGrid && frame->grid->showsRecords();
        int group = 0;
        if (recordGrid && frame->grid->records.groupStride)
            group = (field.record - frame->grid->records.first) / frame->grid->records.groupStride;
        const TableKey key{frame ? frame->item : -1, group, recordGrid ? -1 : field.record};
        auto [at, added] = tableOf.try_emplace(key, body.size());
        if (added) {
            TextTable table;
            table.title = frame ? engine.env().text(frame->text) : std::string();
            const std::string recordKey = engine.records().recordKey(field.record);
            // Built in place: GCC 12 warns falsely (-Wrestrict) on a concatenated temporary.
            std::string suffix;
            if (recordGrid && frame->grid->records.groupStride)
                suffix = std::to_string(group + 1);
            else if (!recordGrid && manyRecords)
                suffix = recordKey;
            if (!suffix.empty() && !table.title.empty())
                table.title += ' ';
            table.title += suffix;
            body.push_back(std::move(table));
        }
        TextTable& table = body[at->second];
        if (recordGrid)
            addRecordCell(table, engine, row, *frame, field.record, rowsOf[key]);
        else if (inGrid)
            addMatrixCell(table, engine, row, *frame, field.record);
        else
            table.rows.push_back({captionOf(engine, row), engine.shown(row, field.record)});
    }
    return body;
}

TextTable recordColumns(FieldEngine& engine, const std::vector<int>& records, const std::string& recordTitle)
{
    TextTable table;
    table.headers.push_back(std::string());
    for (int record : records)
        table.headers.push_back(recordTitle + " " + engine.records().recordKey(record));
    for (const FieldRow& row : engine.table()) {
        if (!row.isDataField())
            continue;
        std::vector<std::string> cells{captionOf(engine, row)};
        bool any = false;
        for (int record : records) {
            const bool has = engine.hasField(row, record);
            any = any || has;
            cells.push_back(has ? engine.shown(row, record) : std::string());
        }
        if (any)
            table.rows.push_back(std::move(cells));
    }
    return table;
}

int lineCount(const TextTable& table)
{
    return static_cast<int>(table.rows.size()) + (table.title.empty() ? 0 : 1) + (table.pairs() ? 0 : 1);
}

SectionBody pageShare(const SectionBody& body, int page, int pages)
{
    int total = 0;
    for (const TextTable& table : body)
        total += static_cast<int>(table.rows.size());
    if (pages <= 1)
        return body;
    // Rows [first, last) of the whole body belong to this page.
    const int first = total * page / pages;
    const int last = total * (page + 1) / pages;
    SectionBody share;
    int seen = 0;
    for (const TextTable& table : body) {
        const int count = static_cast<int>(table.rows.size());
        const int from = std::max(first, seen) - seen;
        const int to = std::min(last, seen + count) - seen;
        seen += count;
        if (from >= to)
            continue;
        TextTable part{table.title, table.headers, {}};
        part.rows.assign(table.rows.begin() + from, table.rows.begin() + to);
        share.push_back(std::move(part));
    }
    return share;
}

} // namespace rps::print
