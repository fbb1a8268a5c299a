#include "forms/common/CFieldGridModel.h"

namespace rps {

using namespace fields;

CFieldGridModel::CFieldGridModel(SessionFactory open, std::vector<FieldColumn> columns, TextLookup texts,
                                 char decimalSeparator, QObject* parent)
    : CGridModel(parent), open_(std::move(open)), columns_(std::move(columns)), texts_(std::move(texts)),
      separator_(decimalSeparator)
{
}

QString CFieldGridModel::languageText(int number) const
{
    return QString::fromStdString(texts_ ? texts_(number) : std::string());
}

std::string CFieldGridModel::displayText(FieldEngine& engine, int record, int column) const
{
    return engine.shown(*columns_[static_cast<std::size_t>(column)].row, record);
}

void CFieldGridModel::reload()
{
    const auto session = open_();
    FieldEngine& engine = session->engine();
    const int rows = engine.records().count();
    const bool resized = rows != rows_;
    if (resized)
        beginResetModel();
    rows_ = rows;
    const auto columns = static_cast<int>(columns_.size());
    cells_.assign(static_cast<std::size_t>(rows_ * columns), {});
    for (int record = 0; record < rows_; ++record) {
        for (int c = 0; c < columns; ++c) {
            Cell& cell = cells_[static_cast<std::size_t>(record * columns + c)];
            cell.text = QString::fromStdString(displayText(engine, record, c));
            cell.enabled = engine.enabled(*columns_[static_cast<std::size_t>(c)].row, record);
        }
    }
    if (resized)
        endResetModel();
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
    return rowLabels_ ? rowLabels_(row) : CGridModel::fixedText(row);
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

CellEditorKind CFieldGridModel::cellEditorKind(int, int column) const
{
    switch (this->column(column).row->control) {
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
    const FieldRow& field = *this->column(column).row;
    CellEditor editor;
    editor.kind = cellEditorKind(row, column);
    editor.filter = {field.input.filter, field.input.maxLength, separator_, {}};
    if (field.control == Control::CheckBox) {
        editor.choices = {languageText(kCheckOffText), languageText(kCheckOnText)};
    } else if (editor.kind == CellEditorKind::DropDown || editor.kind == CellEditorKind::EditableDropDown) {
        const auto session = open_();
        for (const std::string& label : session->engine().choiceLabels(field, row))
            editor.choices.append(QString::fromStdString(label));
    }
    return editor;
}

void CFieldGridModel::commitCell(int row, int column, const QString& text)
{
    const auto session = open_();
    const FieldRow& field = *this->column(column).row;
    const std::string value = text.toStdString();
    const EditResult result = field.control == Control::DropDown
                                  ? session->engine().choose(field, row, value)
                                  : session->engine().commitText(field, row, value);
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
