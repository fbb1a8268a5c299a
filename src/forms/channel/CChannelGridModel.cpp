#include "forms/channel/CChannelGridModel.h"

#include "forms/channel/ChannelClipboard.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/channel/ChannelGrid.h"

namespace rps {

namespace {
const GridColumnInfo& columnInfo(int column)
{
    return kChannelGridColumns[static_cast<std::size_t>(column)];
}
} // namespace

int CChannelGridModel::gridRows() const
{
    return kChannelCount;
}

int CChannelGridModel::gridColumns() const
{
    return static_cast<int>(kChannelGridColumns.size());
}

QString CChannelGridModel::fixedHeaderText() const
{
    return languageText(context_, kChannelGridFixedHeaderText);
}

QString CChannelGridModel::headerText(int column) const
{
    return languageText(context_, columnInfo(column).headerText);
}

QString CChannelGridModel::cellText(int row, int column) const
{
    return QString::fromStdString(channelGridCellText(makeChannelEditor(context_), row, column));
}

bool CChannelGridModel::cellEnabled(int row, int column) const
{
    return channelGridCellEnabled(makeChannelEditor(context_), row, column);
}

CellEditor CChannelGridModel::cellEditor(int row, int column) const
{
    const GridColumnInfo& info = columnInfo(column);
    CellEditor editor;
    editor.kind = info.editor;
    editor.filter = {info.filter, info.maxLength, context_.host.decimalSeparator(), {}};
    if (info.editor == CellEditorKind::DropDown || info.editor == CellEditorKind::EditableDropDown) {
        for (const std::string& choice : makeChannelEditor(context_).choiceTexts(row, info.item))
            editor.choices.append(QString::fromStdString(choice));
    }
    return editor;
}

void CChannelGridModel::commitCell(int row, int column, const QString& text)
{
    ChannelEditor editor = makeChannelEditor(context_);
    const std::string value = text.toStdString();
    ChannelEditResult result;
    switch (columnInfo(column).item) {
    case kItemRxFrequency:
        result = editor.setFrequency(row, false, value, true);
        break;
    case kItemTxFrequency:
        result = editor.setFrequency(row, true, value, true);
        break;
    case kItemQtDecode:
        result = editor.setQtDqt(row, false, value, true);
        break;
    case kItemQtEncode:
        result = editor.setQtDqt(row, true, value, true);
        break;
    case kItemRanDecode:
        result = editor.setRan(row, false, value, true);
        break;
    case kItemRanEncode:
        result = editor.setRan(row, true, value, true);
        break;
    case kItemName:
        result = editor.setName(row, value);
        break;
    default:
        result = editor.setChoiceText(row, columnInfo(column).item, value);
        break;
    }
    showChannelMessage(context_, result.warning);
    if (result.changed)
        emit channelsChanged();
}

Qt::Alignment CChannelGridModel::columnAlignment(int column) const
{
    return toQtAlignment(columnInfo(column).align);
}

// The grid widths are given in dialog units of the repeater tools; a tenth more fits our font.
int CChannelGridModel::columnWidth(int column) const
{
    return columnInfo(column).width * 11 / 10;
}

int CChannelGridModel::fixedColumnWidth() const
{
    return kChannelGridFixedWidth * 11 / 10;
}

int CChannelGridModel::editColumnFor(int row, int column) const
{
    return channelGridEditColumn(makeChannelEditor(context_), row, column);
}

QModelIndex CChannelGridModel::cellAfterCommit(int row, int column) const
{
    // Clearing a receive frequency leaves the row empty: go on to the next channel.
    if (column == 0 && !makeChannelEditor(context_).store().isProgrammed(row))
        return index(std::min(row + 1, kChannelCount - 1), 0);
    return CGridModel::cellAfterCommit(row, column);
}

void CChannelGridModel::rowCommand(GridRowCommand command, int firstRow, int lastRow)
{
    ChannelEditor editor = makeChannelEditor(context_);
    switch (command) {
    case GridRowCommand::Copy:
        channelClipboard().copy(editor.store(), firstRow, lastRow);
        return;
    case GridRowCommand::Paste: {
        if (channelClipboard().isEmpty())
            return;
        const ChannelPasteResult result = channelClipboard().paste(editor.store(), firstRow);
        showChannelMessage(context_, result.message);
        if (result.written > 0)
            emit channelsChanged();
        return;
    }
    case GridRowCommand::Delete:
        if (deleteChannels(editor.store(), firstRow, lastRow) > 0)
            emit channelsChanged();
        return;
    }
}

} // namespace rps
