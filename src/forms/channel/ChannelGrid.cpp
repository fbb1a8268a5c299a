#include "forms/channel/ChannelGrid.h"

namespace rps {

const std::array<GridColumnInfo, 9> kChannelGridColumns{{
    {kItemRxFrequency, 872, 85, CellAlign::Right, CellEditorKind::Text, CharFilterKind::Decimal, 10},
    {kItemTxFrequency, 873, 85, CellAlign::Right, CellEditorKind::Text, CharFilterKind::Decimal, 10},
    {kItemChannelType, 893, 70, CellAlign::Centre, CellEditorKind::DropDown},
    {kItemTransmitMode, 894, 70, CellAlign::Centre, CellEditorKind::DropDown},
    {kItemQtDecode, 875, 75, CellAlign::Right, CellEditorKind::EditableDropDown, CharFilterKind::Any, 6},
    {kItemQtEncode, 874, 75, CellAlign::Right, CellEditorKind::EditableDropDown, CharFilterKind::Any, 6},
    {kItemRanDecode, 929, 60, CellAlign::Right, CellEditorKind::EditableDropDown, CharFilterKind::Digits, 2},
    {kItemRanEncode, 930, 60, CellAlign::Right, CellEditorKind::EditableDropDown, CharFilterKind::Digits, 2},
    {kItemName, 876, 65, CellAlign::Left, CellEditorKind::Text, CharFilterKind::SevenSegment, 2},
}};

namespace {
int itemOf(int column)
{
    return column >= 0 && column < static_cast<int>(kChannelGridColumns.size())
               ? kChannelGridColumns[static_cast<std::size_t>(column)].item
               : -1;
}
} // namespace

std::string channelGridCellText(const ChannelEditor& editor, int channel, int column)
{
    const int item = itemOf(column);
    if (item < 0 || !editor.store().isProgrammed(channel))
        return {};
    const int type = editor.value(channel, kItemChannelType);
    const bool qtItem = item == kItemQtDecode || item == kItemQtEncode;
    const bool ranItem = item == kItemRanDecode || item == kItemRanEncode;
    if ((qtItem && type == kTypeNxdn) || (ranItem && type == kTypeAnalog))
        return "---";
    std::string text = editor.format(channel, item);
    if (item == kItemRxFrequency || item == kItemTxFrequency) {
        const auto first = text.find_first_not_of(' ');
        text = first == std::string::npos ? std::string() : text.substr(first);
    }
    return text;
}

bool channelGridCellEnabled(const ChannelEditor& editor, int channel, int column)
{
    const int item = itemOf(column);
    return item >= 0 && editor.isEnabled(channel, item);
}

int channelGridEditColumn(const ChannelEditor& editor, int channel, int column)
{
    const int item = itemOf(column);
    if (item < 0)
        return -1;
    if (!editor.store().isProgrammed(channel))
        return 0;
    if (editor.isEnabled(channel, item))
        return column;
    const bool hasTx = !editor.format(channel, kItemTxFrequency).empty();
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
