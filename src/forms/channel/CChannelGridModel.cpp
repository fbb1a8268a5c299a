#include "forms/channel/CChannelGridModel.h"

#include "forms/channel/ChannelClipboard.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/channel/ChannelGrid.h"

namespace rps {

namespace {

std::vector<FieldColumn> channelColumns()
{
    std::vector<FieldColumn> columns;
    for (const ChannelGridColumn& column : kChannelGridColumns)
        columns.push_back({&channelField(column.item), column.headerText, column.width, column.align});
    return columns;
}

} // namespace

CChannelGridModel::CChannelGridModel(FormContext& context, QObject* parent)
    : CFieldGridModel([&context] { return openChannelFields(context); }, channelColumns(),
                      [&context](int n) { return context.texts.text(n); }, context.host.decimalSeparator(),
                      parent),
      context_(context)
{
    connect(this, &CFieldGridModel::edited, this, [this](const fields::EditResult& result) {
        showFormMessage(context_, result.message);
        if (result.changed)
            emit channelsChanged();
    });
    reload();
}

std::string CChannelGridModel::displayText(fields::FieldEngine& engine, int record, int column) const
{
    return channelGridCellText(engine, record, column);
}

QString CChannelGridModel::fixedHeaderText() const
{
    return languageText(kChannelGridFixedHeaderText);
}

int CChannelGridModel::fixedColumnWidth() const
{
    return kChannelGridFixedWidth * 11 / 10;
}

int CChannelGridModel::editColumnFor(int row, int column) const
{
    const auto session = openChannelFields(context_);
    return channelGridEditColumn(session->engine(), row, column);
}

QModelIndex CChannelGridModel::cellAfterCommit(int row, int column) const
{
    // Clearing a receive frequency leaves the row empty: go on to the next channel.
    if (column == 0 && !ChannelStore(context_.image).isProgrammed(row))
        return index(std::min(row + 1, kChannelCount - 1), 0);
    return CGridModel::cellAfterCommit(row, column);
}

void CChannelGridModel::rowCommand(GridRowCommand command, int firstRow, int lastRow)
{
    ChannelStore store(context_.image);
    switch (command) {
    case GridRowCommand::Copy:
        channelClipboard().copy(store, firstRow, lastRow);
        return;
    case GridRowCommand::Paste: {
        if (channelClipboard().isEmpty())
            return;
        const ChannelPasteResult result = channelClipboard().paste(store, firstRow);
        showFormMessage(context_, result.message);
        if (result.written > 0)
            emit channelsChanged();
        return;
    }
    case GridRowCommand::Delete:
        if (deleteChannels(store, firstRow, lastRow) > 0)
            emit channelsChanged();
        return;
    }
}

} // namespace rps
