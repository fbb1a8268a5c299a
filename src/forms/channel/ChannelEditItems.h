#pragma once
// The item table of the channel edit form: every field of one channel record, in the
// form's order, with its control and caption text, and where the form places it.
#include "forms/channel/ChannelLayout.h"
#include "forms/common/ItemTable.h"

#include <array>

namespace rps {

inline constexpr std::array<FormItem, 28> kChannelEditItems{{
    {kItemChannel, 1291, 1027, ItemControlKind::EditWithSpin, 868, 0},
    {kItemRxFrequency, 1281, 0, ItemControlKind::Edit, 898, 0},
    {kItemTxFrequency, 1044, 0, ItemControlKind::Edit, 899, 0},
    {kItemChannelType, 1286, 0, ItemControlKind::DropDown, 919, 0},
    {kItemTransmitMode, 1289, 0, ItemControlKind::DropDown, 920, 0},
    {kItemQtDecode, 1283, 0, ItemControlKind::EditableDropDown, 900, 0},
    {kItemQtEncode, 1284, 0, ItemControlKind::EditableDropDown, 901, 0},
    {kItemRanDecode, 1290, 0, ItemControlKind::EditableDropDown, 895, 0},
    {kItemRanEncode, 1293, 0, ItemControlKind::EditableDropDown, 896, 0},
    {kItemName, 1049, 0, ItemControlKind::Edit, 902, 0},
    {kItemTxPower, 1065, 0, ItemControlKind::DropDown, 907, 1},
    {kItemSpacingAnalog, 1058, 0, ItemControlKind::DropDown, 903, 1},
    {kItemSpacingNxdn, 1068, 0, ItemControlKind::DropDown, 913, 1},
    {kItemEncodeToneMultiple, 1062, 0, ItemControlKind::DropDown, 904, 1},
    {kItemOperationMode, 1060, 0, ItemControlKind::DropDown, 905, 1},
    {kItemMultiTable, 1063, 0, ItemControlKind::DropDown, 877, 1},
    {kItemBeatShift, 1285, 0, ItemControlKind::CheckBox, 906, 2},
    {kItemReverseBurst, 1341, 0, ItemControlKind::CheckBox, 908, 2},
    {kItemScanAdd, 1067, 0, ItemControlKind::CheckBox, 881, 2},
    {kItemCompander, 1287, 0, ItemControlKind::CheckBox, 909, 2},
    {kItemCwId, 1345, 0, ItemControlKind::CheckBox, 882, 2},
    {kItemCwIdButton, 1142, 0, ItemControlKind::PushButton, 910, 2},
    {kItemUserLimit, 1342, 0, ItemControlKind::CheckBox, 921, 2},
    {kItemScramblerGroup, 1181, 0, ItemControlKind::GroupFrame, 911, 1},
    {kItemVoiceScrambler, 1346, 0, ItemControlKind::CheckBox, 912, 1, kItemScramblerGroup},
    {kItemEncryptionGroup, 1326, 0, ItemControlKind::GroupFrame, 935, 2},
    {kItemEncryption, 1323, 0, ItemControlKind::CheckBox, 936, 2, kItemEncryptionGroup},
    {kItemKeyData, 1324, 1325, ItemControlKind::EditWithSpin, 937, 2, kItemEncryptionGroup},
}};

} // namespace rps
