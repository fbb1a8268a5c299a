#include "forms/channel/ChannelGrid.h"

#include "model/FrequencyText.h"

namespace rps {

const std::array<ChannelGridColumn, 9> kChannelGridColumns{{
    {kItemRxFrequency, 872, 85, CellAlign::Right},
    {kItemTxFrequency, 873, 85, CellAlign::Right},
    {kItemChannelType, 893, 70, CellAlign::Centre},
    {kItemTransmitMode, 894, 70, CellAlign::Centre},
    {kItemQtDecode, 875, 75, CellAlign::Right},
    {kItemQtEncode, 874, 75, CellAlign::Right},
    {kItemRanDecode, 929, 60, CellAlign::Right},
    {kItemRanEncode, 930, 60, CellAlign::Right},
    {kItemName, 876, 65, CellAlign::Left},
}};

namespace {
int itemOf(int column)
{
    return column >= 0 && column < static_cast<int>(kChannelGridColumns.size())
               ? kChannelGridColumns[static_cast<std::size_t>(column)].item
               : -1;
}
} // namespace

std::string channelGridCellText(fields::FieldEngine& engine, int channel, int column)
{
    const int item = itemOf(column);
    if (item < 0)
        return {};
    const auto type = engine.raw(channelField(kItemChannelType), channel);
    if (!type)
        return {};
    const bool qtItem = item == kItemQtDecode || item == kItemQtEncode;
    const bool ranItem = item == kItemRanDecode || item == kItemRanEncode;
    if ((qtItem && *type == kTypeNxdn) || (ranItem && *type == kTypeAnalog))
        return "---";
    return engine.shown(channelField(item), channel);
}

int channelGridEditColumn(fields::FieldEngine& engine, int channel, int column)
{
    const int item = itemOf(column);
    if (item < 0)
        return -1;
    if (engine.records().record(channel).empty())
        return 0;
    if (engine.enabled(channelField(item), channel))
        return column;
    const bool hasTx =
        engine.raw(channelField(kItemTxFrequency), channel).value_or(kNoFrequency) != kNoFrequency;
    switch (item) {
    case kItemTransmitMode:
    case kItemQtEncode:
    case kItemRanEncode:
        return hasTx ? 2 : 1;
    case kItemQtDecode:
    case kItemRanDecode:
        return 2;
    default:
        return column;
    }
}

} // namespace rps
