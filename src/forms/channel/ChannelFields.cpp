#include "forms/channel/ChannelFields.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ModelBlock.h"
#include "model/ValueHelpers.h"
#include "model/records/ChannelCodes.h"

namespace rps {

using namespace fields;
namespace F = ChannelField;

namespace channelcodecs {

namespace {
std::string offText(const FieldEnv& env)
{
    return env.text(kTextOff);
}
std::string trimmedFrequency(uint32_t hz, char separator)
{
    const std::string text = formatFrequency(hz, separator);
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}
} // namespace

const FieldCodec kFrequency{
    [](uint32_t raw, const FieldEnv& env) { return trimmedFrequency(raw, env.decimalSeparator); },
    [](std::string_view text, const FieldEnv& env) {
        if (trimTrailingSpaces(text).empty())
            return CodecParse{kNoFrequency, false};
        const FrequencyEntry entry = parseFrequency(text, env.limits, env.decimalSeparator);
        return CodecParse{entry.hz, entry.outsideBand};
    },
};

const FieldCodec kQtDqt{
    [](uint32_t raw, const FieldEnv& env) {
        return formatQtDqt(static_cast<uint16_t>(raw), offText(env), env.decimalSeparator);
    },
    [](std::string_view text, const FieldEnv& env) {
        return CodecParse{parseQtDqt(text, offText(env), env.decimalSeparator), false};
    },
    [](const FieldEnv&) {
        const auto& codes = qtDqtChoiceCodes();
        return std::vector<uint32_t>(codes.begin(), codes.end());
    },
};

const FieldCodec kRan{
    [](uint32_t raw, const FieldEnv& env) { return formatRan(static_cast<uint16_t>(raw), offText(env)); },
    [](std::string_view text, const FieldEnv& env) {
        return CodecParse{parseRan(text, offText(env)), false};
    },
    [](const FieldEnv&) {
        std::vector<uint32_t> values{kCodeOff};
        for (uint32_t ran = kRanMin; ran <= kRanMax; ++ran)
            values.push_back(ran);
        return values;
    },
};

const FieldCodec kName{
    [](uint32_t raw, const FieldEnv&) { return formatChannelName(static_cast<uint16_t>(raw)); },
    [](std::string_view text, const FieldEnv&) {
        return CodecParse{encodeChannelName(text), false};
    },
};

const FieldCodec kMultiTable{
    [](uint32_t raw, const FieldEnv& env) {
        return raw == 0 || raw == 0xFF ? offText(env) : std::to_string(raw);
    },
    [](std::string_view text, const FieldEnv& env) {
        const std::string t = trimTrailingSpaces(text);
        if (t.empty() || t == offText(env))
            return CodecParse{0, false};
        const int64_t table = parseTypedInteger(t);
        return CodecParse{table >= 1 && table <= kMultiTableCount ? static_cast<uint32_t>(table) : 0u, false};
    },
};

} // namespace channelcodecs

namespace {

namespace C = channelcodecs;

constexpr Choice kTypeChoices[] = {{0, 922}, {1, 923}, {2, 924}};
constexpr Choice kTransmitModeChoices[] = {{0, 922}, {1, 923}};
constexpr Choice kTxPowerChoices[] = {{0, 889}, {1, 888}};
constexpr Choice kSpacingAnalogChoices[] = {{0, 915}, {1, 932}, {2, 914}, {3, 917}};
constexpr Choice kSpacingNxdnChoices[] = {{0, 915}, {1, 932}};
constexpr Choice kToneMultipleChoices[] = {{0, 886}, {1, 887}};
constexpr Choice kOperationModeChoices[] = {{0, 890}, {256, 892}, {1, 891}};

constexpr Input kFrequencyInput{CharFilterKind::Decimal, 10};
constexpr OnOff kOneIsOn{.on = 1, .off = 0};
constexpr OnOff kZeroIsOn{.on = 0, .off = 1};

constexpr Place left{0, 0};
constexpr Place middle{0, 1};
constexpr Place right{0, 2};
constexpr Place scramblerGroup{0, 1, kItemScramblerGroup};
constexpr Place encryptionGroup{0, 2, kItemEncryptionGroup};

bool isFrequencyItem(int item)
{
    return item == kItemRxFrequency || item == kItemTxFrequency;
}

} // namespace

const std::array<FieldRow, kChannelItemCount> kChannelFields{{
    spin(kItemChannel, {}, 868, none(), Range{1, kChannelCount, 1})
        .filter({CharFilterKind::Digits, 2})
        .at(left),
    edit(kItemRxFrequency, "rx-frequency", 898, u32(F::kRxFrequency), kFrequencyInput)
        .coded(C::kFrequency)
        .warnOutside(kWarningRxOutOfBand)
        .at(left),
    edit(kItemTxFrequency, "tx-frequency", 899, u32(F::kTxFrequency), kFrequencyInput)
        .coded(C::kFrequency)
        .warnOutside(kWarningTxOutOfBand)
        .at(left),
    list(kItemChannelType, "channel-type", 919, u8(F::kChannelType), kTypeChoices).at(left),
    list(kItemTransmitMode, "transmit-mode", 920, u8(F::kTransmitMode), kTransmitModeChoices).at(left),
    combo(kItemQtDecode, "qt-decode", 900, u16(F::kQtDecode), C::kQtDqt, {CharFilterKind::Any, 6}).at(left),
    combo(kItemQtEncode, "qt-encode", 901, u16(F::kQtEncode), C::kQtDqt, {CharFilterKind::Any, 6}).at(left),
    combo(kItemRanDecode, "ran-decode", 895, u16(F::kRanDecode), C::kRan, {CharFilterKind::Digits, 2})
        .at(left),
    combo(kItemRanEncode, "ran-encode", 896, u16(F::kRanEncode), C::kRan, {CharFilterKind::Digits, 2})
        .at(left),
    edit(kItemName, "name", 902, u16(F::kName), {CharFilterKind::SevenSegment, 2}).coded(C::kName).at(left),
    list(kItemTxPower, "tx-power", 907, u8(F::kTxPower), kTxPowerChoices).at(middle),
    list(kItemSpacingAnalog, "spacing-analog", 903, u8(F::kSpacingAnalog), kSpacingAnalogChoices).at(middle),
    list(kItemSpacingNxdn, "spacing-nxdn", 913, u8(F::kSpacingNxdn), kSpacingNxdnChoices).at(middle),
    list(kItemEncodeToneMultiple, "encode-tone-multiple", 904, u8(F::kEncodeToneMultiple),
         kToneMultipleChoices)
        .at(middle),
    list(kItemOperationMode, "operation-mode", 905, u16(F::kOperationMode), kOperationModeChoices).at(middle),
    list(kItemMultiTable, "multi-table", 877, u8(F::kMultiTable)).coded(C::kMultiTable).at(middle),
    check(kItemBeatShift, "beat-shift", 906, bits8(F::kBeatShift, 0x01), kZeroIsOn).at(right),
    check(kItemReverseBurst, "qt-reverse-burst", 908, u8(F::kReverseBurst), kZeroIsOn).at(right),
    check(kItemScanAdd, "scan-add", 881, u8(F::kScanAdd), kOneIsOn).at(right),
    check(kItemCompander, "compander", 909, u8(F::kCompander), kOneIsOn).at(right),
    check(kItemCwId, "cw-id", 882, u8(F::kCwId), kOneIsOn).at(right),
    button(kItemCwIdButton, 910).at(right),
    check(kItemUserLimit, "user-limit", 921, u8(F::kUserLimit), OnOff{.on = 0x00, .off = 0xFF}).at(right),
    group(kItemScramblerGroup, 911).at(middle),
    check(kItemVoiceScrambler, "voice-scrambler", 912, recordBit(Area::Aux, kVoiceScramblerBitsOffset),
          kZeroIsOn)
        .at(scramblerGroup),
    group(kItemEncryptionGroup, 935).at(right),
    check(kItemEncryption, "encryption", 936, recordBit(Area::Aux, kEncryptionBitsOffset), kZeroIsOn)
        .at(encryptionGroup),
    spin(kItemKeyData, "key-data", 937, u16(F::kKeyData), Range{1, 32767, 1}.offAt(0xFFFF, 0, false))
        .filter({CharFilterKind::Digits, 5})
        .at(encryptionGroup),
}};

const std::array<FieldRow, 5> kBeatShiftFields{{
    check(1, "option-1", 946, bits8(F::kBeatShift, 0x02), kZeroIsOn),
    check(2, "option-2", 947, bits8(F::kBeatShift, 0x04), kZeroIsOn),
    check(3, "option-3", 948, bits8(F::kBeatShift, 0x08), kZeroIsOn),
    check(4, "option-4", 949, bits8(F::kBeatShift, 0x10), kZeroIsOn),
    check(5, "option-5", 950, bits8(F::kBeatShift, 0x20), kZeroIsOn),
}};

const FieldRow& channelField(int item)
{
    return kChannelFields[static_cast<std::size_t>(item)];
}

bool ChannelFieldRules::enabled(const FieldRow& row, int record) const
{
    return isItemEnabled(store_, record, row.item);
}

std::optional<std::vector<Choice>> ChannelFieldRules::choices(const FieldRow& row, int record) const
{
    if (row.item == kItemMultiTable) {
        std::vector<Choice> tables{{0, 0}};
        const auto r = store_.record(record);
        if (r.empty())
            return tables;
        for (int table = 1; table <= kMultiTableCount; ++table) {
            if (store_.multiTableCount(table, r[F::kChannelType]) > 0)
                tables.push_back({static_cast<uint32_t>(table), 0});
        }
        return tables;
    }
    const std::vector<ChannelChoice> own =
        channelChoices(store_, record, row.item, readModelBlock(store_.mainArea()).modelCode());
    if (own.empty())
        return std::nullopt;
    std::vector<Choice> list;
    for (const ChannelChoice& choice : own)
        list.push_back({static_cast<uint32_t>(choice.value), choice.textNumber});
    return list;
}

StoreStep ChannelFieldRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    const int channel = edit.record;
    const int item = edit.row.item;
    result.touched |= kTouchesChannels;
    if (!store_.isProgrammed(channel)) {
        // Only a receive frequency brings an empty channel to life.
        if (item != kItemRxFrequency || edit.raw == kNoFrequency)
            return StoreStep::Done;
        before_ = takeChannelSnapshot(store_, channel);
        store_.create(channel);
        result.structureChanged = true;
        return StoreStep::Store;
    }
    if (item == kItemRxFrequency && edit.raw == kNoFrequency) {
        if (store_.remove(channel))
            result.changed = result.structureChanged = true;
        return StoreStep::Done;
    }
    if (isFrequencyItem(item))
        before_ = takeChannelSnapshot(store_, channel);
    if (item == kItemChannelType && store_.record(channel)[F::kChannelType] == edit.raw)
        return StoreStep::Done; // the same type again changes nothing
    return StoreStep::Store;
}

void ChannelFieldRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    const int channel = edit.record;
    auto r = store_.record(channel);
    if (r.empty())
        return;
    ChannelEditKind kind = ChannelEditKind::Other;
    switch (edit.row.item) {
    case kItemTxFrequency:
        if (edit.raw == kNoFrequency) {
            // No transmitter: nothing is encoded either.
            setU16(r, F::kQtEncode, kCodeOff);
            setU16(r, F::kRanEncode, kCodeOff);
        }
        kind = ChannelEditKind::Frequency;
        break;
    case kItemRxFrequency:
        kind = ChannelEditKind::Frequency;
        break;
    case kItemChannelType:
        kind = ChannelEditKind::ChannelType;
        break;
    case kItemQtDecode:
    case kItemRanDecode: {
        // A typed decode code is encoded too while the channel encodes nothing yet.
        const bool qt = edit.row.item == kItemQtDecode;
        const std::size_t encode = qt ? F::kQtEncode : F::kRanEncode;
        if (edit.origin == EditOrigin::Typed && getU32(r, F::kTxFrequency) != kNoFrequency &&
            getU16(r, encode) == kCodeOff &&
            isItemEnabled(store_, channel, qt ? kItemQtEncode : kItemRanEncode))
            setU16(r, encode, static_cast<uint16_t>(edit.raw));
        if (edit.raw == kCodeOff || r[F::kMultiTable] == 0xFF)
            r[F::kMultiTable] = 0;
        break;
    }
    case kItemName:
        if (isReservedChannelName(formatChannelName(getU16(r, F::kName))))
            result.message = kWarningReservedName;
        break;
    default:
        break;
    }
    applyConsistencyRules(store_, channel, kind, before_);
}

bool BeatShiftRules::enabled(const FieldRow&, int record) const
{
    const auto r = store_.record(record);
    return !r.empty() && (r[F::kBeatShift] & 0x01) == 0;
}

} // namespace rps
