#pragma once
// The item numbers of a channel's fields on the channel forms.
#include "model/records/ChannelLayout.h"

namespace rps {

// Items of a channel, numbered as the channel edit form numbers its controls; the channel
// store formats, stores and enables fields by these numbers.
enum ChannelItem : int {
    kItemChannel = 0,
    kItemRxFrequency = 1,
    kItemTxFrequency = 2,
    kItemChannelType = 3,
    kItemTransmitMode = 4,
    kItemQtDecode = 5,
    kItemQtEncode = 6,
    kItemRanDecode = 7,
    kItemRanEncode = 8,
    kItemName = 9,
    kItemTxPower = 10,
    kItemSpacingAnalog = 11,
    kItemSpacingNxdn = 12,
    kItemEncodeToneMultiple = 13,
    kItemOperationMode = 14,
    kItemMultiTable = 15,
    kItemBeatShift = 16,
    kItemReverseBurst = 17,
    kItemScanAdd = 18,
    kItemCompander = 19,
    kItemCwId = 20,
    kItemCwIdButton = 21,
    kItemUserLimit = 22,
    kItemScramblerGroup = 23,
    kItemVoiceScrambler = 24,
    kItemEncryptionGroup = 25,
    kItemEncryption = 26,
    kItemKeyData = 27,
    kChannelItemCount = 28,
};

} // namespace rps
