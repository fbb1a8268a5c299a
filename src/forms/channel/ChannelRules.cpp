#include "forms/channel/ChannelRules.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/records/ChannelCodes.h"

namespace rps {

namespace F = ChannelField;

namespace {

bool hasTx(std::span<const uint8_t> r)
{
    return getU32(r, F::kTxFrequency) != kNoFrequency;
}
bool rxEqualsTx(std::span<const uint8_t> r)
{
    return getU32(r, F::kRxFrequency) == getU32(r, F::kTxFrequency);
}
bool ranSet(uint16_t ran)
{
    return ran != kCodeOff && ran != 0;
}
bool multiTableSet(uint8_t table)
{
    return table != 0 && table != 0xFF;
}

bool isSpacingVariantModel(uint16_t modelCode)
{
    return modelCode == 0x0402 || modelCode == 0x0702;
}

} // namespace

ChannelSnapshot takeChannelSnapshot(const ChannelStore& store, int channel)
{
    const auto r = store.record(channel);
    if (r.empty())
        return {true};
    return {rxEqualsTx(r) || !hasTx(r)};
}

void applyConsistencyRules(ChannelStore& store, int channel, ChannelEditKind kind,
                           const ChannelSnapshot& before)
{
    auto r = store.record(channel);
    if (r.empty())
        return;
    if (kind == ChannelEditKind::Paste) {
        // A pasted record was consistent when copied; only its multi table may name a table
        // that has nothing for the channel's type in this image.
        const uint8_t table = r[F::kMultiTable];
        if (multiTableSet(table) && store.multiTableCount(table, r[F::kChannelType]) == 0)
            r[F::kMultiTable] = 0;
        return;
    }
    if (kind == ChannelEditKind::Frequency) {
        if (rxEqualsTx(r) || !hasTx(r))
            setU16(r, F::kOperationMode, kOperationMode1);
        else if (before.rxEqualsTxOrNoTx)
            setU16(r, F::kOperationMode, kOperationMode256);
    }
    if (!hasTx(r))
        r[F::kCwId] = 0;
    const uint16_t mode = getU16(r, F::kOperationMode);
    if (mode == kOperationMode256) {
        r[F::kScanAdd] = 0;
        store.setEncryptionOn(channel, false);
        setU16(r, F::kKeyData, 0xFFFF);
    }
    const uint8_t type = r[F::kChannelType];
    if (mode == kOperationMode1 || type == kTypeMixed)
        r[F::kEncodeToneMultiple] = 1;
    if (type == kTypeAnalog || type == kTypeNxdn)
        r[F::kTransmitMode] = type;
    if (kind == ChannelEditKind::ChannelType) {
        r[F::kSpacingNxdn] = 1;
        r[F::kSpacingAnalog] = 0;
    }
    if (!store.anyMultiTableFor(type))
        r[F::kMultiTable] = 0;
    const uint16_t qtDecode = getU16(r, F::kQtDecode);
    const uint16_t ranDecode = getU16(r, F::kRanDecode);
    if (type == kTypeAnalog) {
        setU16(r, F::kRanDecode, kCodeOff);
        setU16(r, F::kRanEncode, kCodeOff);
        if (qtDecode == kCodeOff)
            r[F::kMultiTable] = 0;
    } else if (type == kTypeNxdn) {
        setU16(r, F::kQtDecode, kCodeOff);
        setU16(r, F::kQtEncode, kCodeOff);
        if (!ranSet(ranDecode))
            r[F::kMultiTable] = 0;
    } else if (type == kTypeMixed) {
        if (qtDecode == kCodeOff || !ranSet(ranDecode))
            r[F::kMultiTable] = 0;
    }
}

bool isItemEnabled(const ChannelStore& store, int channel, int item)
{
    if (item == kItemChannel || item == kItemRxFrequency)
        return true;
    const auto r = store.record(channel);
    if (r.empty())
        return false;
    const bool tx = hasTx(r);
    const uint8_t type = r[F::kChannelType];
    const uint16_t mode = getU16(r, F::kOperationMode);
    switch (item) {
    case kItemTransmitMode:
        return tx && type == kTypeMixed;
    case kItemQtDecode:
    case kItemSpacingAnalog:
    case kItemCompander:
    case kItemVoiceScrambler:
    case kItemScramblerGroup:
        return type != kTypeNxdn;
    case kItemQtEncode:
    case kItemReverseBurst:
        return tx && type != kTypeNxdn;
    case kItemRanDecode:
    case kItemSpacingNxdn:
        return type != kTypeAnalog;
    case kItemRanEncode:
        return tx && type != kTypeAnalog;
    case kItemEncodeToneMultiple:
        return multiTableSet(r[F::kMultiTable]) && mode != kOperationMode1 && type != kTypeMixed;
    case kItemOperationMode:
        return !rxEqualsTx(r) && (mode != kOperationMode1 || tx);
    case kItemTxPower:
    case kItemCwId:
        return tx;
    case kItemMultiTable: {
        const bool qt = getU16(r, F::kQtDecode) != kCodeOff;
        const bool ran = ranSet(getU16(r, F::kRanDecode));
        if (type == kTypeAnalog)
            return qt;
        if (type == kTypeNxdn)
            return ran;
        return qt && ran;
    }
    case kItemCwIdButton:
        return r[F::kCwId] == 1;
    case kItemUserLimit:
        return type != kTypeAnalog && mode == kOperationMode256;
    case kItemEncryption:
    case kItemEncryptionGroup:
    case kItemKeyData:
        return type != kTypeAnalog && mode != kOperationMode256;
    case kItemScanAdd:
        return mode != kOperationMode256;
    default:
        return true;
    }
}

std::vector<ChannelChoice> channelChoices(const ChannelStore& store, int channel, int item,
                                          uint16_t modelCode)
{
    const auto r = store.record(channel);
    const uint8_t type = r.empty() ? kTypeNxdn : r[F::kChannelType];
    switch (item) {
    case kItemOperationMode:
        if (!r.empty() && rxEqualsTx(r))
            return {{1, 891}}; // the mode a channel without a split is forced to
        return {};
    case kItemSpacingAnalog:
        if (isSpacingVariantModel(modelCode) && type != kTypeNxdn)
            return {{2, 916}, {3, 917}, {0, 915}};
        if (type == kTypeNxdn)
            return {{2, 914}, {0, 915}, {1, 932}};
        return {{2, 914}, {0, 915}};
    default:
        return {};
    }
}

} // namespace rps
