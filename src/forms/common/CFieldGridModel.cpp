#include "forms/common/CFieldGridModel.h"

#include "forms/fields/RecordRows.h"

#include <algorithm>
#include <utility>

namespace rps {

using namespace fields;

CFieldGridModel::CFieldGridModel(SessionFactory open, std::vector<FieldColumn> columns, TextLookup texts,
                                 char decimalSeparator, QObject* parent)
    : CGridModel(parent), open_(std::move(open)), columns_(std::move(columns)), texts_(std::move(texts)),
      separator_(decimalSeparator)
{
}

CFieldGridModel::CFieldGridModel(SessionFactory open, CellMatrix cells, std::vector<FieldColumn> columns,
                                 TextLookup texts, char decimalSeparator, QObject* parent)
    : CFieldGridModel(std::move(open), std::move(columns), std::move(texts), decimalSeparator, parent)
{
    matrix_ = std::move(cells);
    for (auto& row : matrix_)
        row.resize(columns_.size(), nullptr);
}

const FieldRow* CFieldGridModel::fieldAt(int row, int column) const
{
    if (matrix_.empty())
        return columns_[static_cast<std::size_t>(column)].row;
    return matrix_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QString CFieldGridModel::languageText(int number) const
{
    return QString::fromStdString(texts_ ? texts_(number) : std::string());
}

std::string CFieldGridModel::displayText(FieldEngine& engine, int row, int column) const
{
    const FieldRow* field = fieldAt(row, column);
    return field ? engine.shown(*field, recordAt(row)) : std::string();
}

void CFieldGridModel::reload()
{
    const auto session = open_();
    FieldEngine& engine = session->engine();
    const int records = recordGrid_
                            ? std::min(recordGrid_->records.count, engine.records().count() - firstRecord_)
                            : engine.records().count();
    const int rows = matrix_.empty() ? std::max(records, 0) : static_cast<int>(matrix_.size());
    const bool resized = rows != rows_;
    if (resized)
        beginResetModel();
    rows_ = rows;
    if (order_.size() != rows_)
        order_.reset(rows_);
    const auto columns = static_cast<int>(columns_.size());
    cells_.assign(static_cast<std::size_t>(rows_ * columns), {});
    for (int row = 0; row < rows_; ++row) {
        for (int c = 0; c < columns; ++c) {
            Cell& cell = cells_[static_cast<std::size_t>(row * columns + c)];
            const FieldRow* field = fieldAt(row, c);
            cell.text = QString::fromStdString(displayText(engine, row, c));
            cell.enabled = field && engine.enabled(*field, recordAt(row));
        }
    }
    if (resized)
        endResetModel();
}

void CFieldGridModel::setRecordGrid(const GridShape& shape)
{
    recordGrid_ = &shape;
    firstRecord_ = shape.records.first;
}

void CFieldGridModel::setGroup(int group)
{
    if (!recordGrid_ || recordGrid_->records.groupStride == 0)
        return;
    group_ = std::max(group, 0);
    firstRecord_ = recordGrid_->records.first + group_ * recordGrid_->records.groupStride;
}

void CFieldGridModel::rowCommand(GridRowCommand command, int firstRow, int lastRow)
{
    if (!hasRowCommands())
        return;
    const auto session = open_();
    const RecordCommand which = command == GridRowCommand::Copy    ? RecordCommand::Copy
                                : command == GridRowCommand::Paste ? RecordCommand::Paste
                                                                   : RecordCommand::Delete;
    const EditResult result =
        runRecordCommand(session->engine(), *recordGrid_, which, firstRow, lastRow, group_, &order_);
    if (result.changed)
        emit edited(result);
}

void CFieldGridModel::setRowLabels(std::function<QString(int)> labels, int width)
{
    rowLabels_ = std::move(labels);
    fixedWidth_ = width;
}

QString CFieldGridModel::unlistedText(int, int) const
{
    return unlistedText_ ? languageText(unlistedText_) : QString();
}

QString CFieldGridModel::fixedText(int row) const
{
    // A record grid's fixed column names the record a row shows.
    const int label = matrix_.empty() ? order_.record(row) : row;
    return rowLabels_ ? rowLabels_(label) : CGridModel::fixedText(label);
}

QString CFieldGridModel::fixedHeaderText() const
{
    return recordGrid_ && recordGrid_->labelText ? languageText(recordGrid_->labelText) : QString();
}

void CFieldGridModel::headerClicked(int column)
{
    if (!sortsByHeader())
        return;
    if (column < 0) {
        order_.reset(rows_);
    } else {
        const FieldRow* field = column < gridColumns() ? fieldAt(0, column) : nullptr;
        if (!field)
            return;
        const auto session = open_();
        order_.sortBy(session->engine(), *field, firstRecord_);
    }
    refreshAll();
}

int CFieldGridModel::rowOfRecord(int record) const
{
    if (!matrix_.empty() || record < firstRecord_ || record - firstRecord_ >= rows_)
        return -1;
    return order_.row(record - firstRecord_);
}

QModelIndex CFieldGridModel::cellAfterCommit(int row, int column) const
{
    const int target = std::exchange(moveToRecord_, -1);
    if (target >= 0 && rowOfRecord(target) >= 0)
        return index(rowOfRecord(target), column);
    return CGridModel::cellAfterCommit(row, column);
}

int CFieldGridModel::fixedColumnWidth() const
{
    return fixedWidth_ > 0 ? fixedWidth_ * 11 / 10 : CGridModel::fixedColumnWidth();
}

QString CFieldGridModel::headerText(int column) const
{
    return languageText(this->column(column).headerText);
}

QString CFieldGridModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= gridColumns())
        return {};
    return cells_[static_cast<std::size_t>(row * gridColumns() + column)].text;
}

bool CFieldGridModel::cellEnabled(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= gridColumns())
        return false;
    return cells_[static_cast<std::size_t>(row * gridColumns() + column)].enabled;
}

CellEditorKind CFieldGridModel::cellEditorKind(int row, int column) const
{
    const FieldRow* field = row >= 0 && row < rows_ ? fieldAt(row, column) : nullptr;
    if (!field)
        return CellEditorKind::None;
    switch (field->control) {
    case Control::Edit:
    case Control::EditWithSpin:
        return CellEditorKind::Text;
    case Control::DropDown:
    case Control::CheckBox:
        return CellEditorKind::DropDown;
    case Control::EditableDropDown:
        return CellEditorKind::EditableDropDown;
    default:
        return CellEditorKind::None;
    }
}

CellEditor CFieldGridModel::cellEditor(int row, int column) const
{
    CellEditor editor;
    editor.kind = cellEditorKind(row, column);
    if (editor.kind == CellEditorKind::None)
        return editor;
    const FieldRow& field = *fieldAt(row, column);
    editor.filter = {field.input.filter, field.input.maxLength, separator_, {}};
    if (field.control == Control::CheckBox) {
        editor.choices = {languageText(kCheckOffText), languageText(kCheckOnText)};
    } else if (editor.kind == CellEditorKind::DropDown || editor.kind == CellEditorKind::EditableDropDown) {
        const auto session = open_();
        for (const std::string& label : session->engine().choiceLabels(field, recordAt(row)))
            editor.choices.append(QString::fromStdString(label));
    }
    return editor;
}

void CFieldGridModel::commitCell(int row, int column, const QString& text)
{
    if (cellEditorKind(row, column) == CellEditorKind::None)
        return;
    const auto session = open_();
    const FieldRow& field = *fieldAt(row, column);
    const std::string value = text.toStdString();
    const EditResult result = field.control == Control::DropDown
                                  ? session->engine().choose(field, recordAt(row), value)
                                  : session->engine().commitText(field, recordAt(row), value);
    moveToRecord_ = result.moveTo;
    emit edited(result);
}

void CFieldGridModel::chooseCell(int row, int column, const QString& text)
{
    if (cellEditorKind(row, column) == CellEditorKind::None)
        return;
    const auto session = open_();
    const EditResult result =
        session->engine().choose(*fieldAt(row, column), recordAt(row), text.toStdString());
    moveToRecord_ = result.moveTo;
    emit edited(result);
}

Qt::Alignment CFieldGridModel::columnAlignment(int column) const
{
    return toQtAlignment(this->column(column).align);
}

// The grid widths are given in dialog units of the repeater tools; a tenth more fits our font.
int CFieldGridModel::columnWidth(int column) const
{
    return this->column(column).width * 11 / 10;
}

} // namespace rps
