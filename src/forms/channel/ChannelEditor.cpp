#include "forms/channel/ChannelEditor.h"

#include "forms/channel/ChannelCodes.h"
#include "forms/common/ValueHelpers.h"
#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ModelBlock.h"

namespace rps {

namespace F = ChannelField;

namespace {

// Record byte of a plain one-byte choice item.
std::size_t choiceOffset(int item)
{
    switch (item) {
    case kItemChannelType:
        return F::kChannelType;
    case kItemTransmitMode:
        return F::kTransmitMode;
    case kItemTxPower:
        return F::kTxPower;
    case kItemSpacingAnalog:
        return F::kSpacingAnalog;
    case kItemSpacingNxdn:
        return F::kSpacingNxdn;
    case kItemEncodeToneMultiple:
        return F::kEncodeToneMultiple;
    default:
        return 0;
    }
}

} // namespace

ChannelEditor::ChannelEditor(ConfigImage& image, TextLookup texts, FrequencyLimits limits,
                             char decimalSeparator)
    : ChannelEditor(image.main(), image.aux(), std::move(texts), limits, decimalSeparator)
{
}

ChannelEditor::ChannelEditor(std::span<uint8_t> mainArea, std::span<uint8_t> auxArea, TextLookup texts,
                             FrequencyLimits limits, char decimalSeparator)
    : store_(mainArea, auxArea), texts_(std::move(texts)), limits_(limits), separator_(decimalSeparator)
{
}

uint16_t ChannelEditor::modelCode() const
{
    return readModelBlock(store_.mainArea()).modelCode();
}

int ChannelEditor::value(int channel, int item) const
{
    if (item == kItemChannel)
        return channel + 1;
    const auto r = store_.record(channel);
    if (r.empty())
        return -1;
    switch (item) {
    case kItemRxFrequency:
        return static_cast<int>(getU32(r, F::kRxFrequency) & 0x7FFFFFFF);
    case kItemTxFrequency:
        return static_cast<int>(getU32(r, F::kTxFrequency) & 0x7FFFFFFF);
    case kItemQtDecode:
        return getU16(r, F::kQtDecode);
    case kItemQtEncode:
        return getU16(r, F::kQtEncode);
    case kItemRanDecode:
        return getU16(r, F::kRanDecode);
    case kItemRanEncode:
        return getU16(r, F::kRanEncode);
    case kItemName:
        return getU16(r, F::kName);
    case kItemOperationMode:
        return getU16(r, F::kOperationMode);
    case kItemMultiTable:
        return r[F::kMultiTable];
    case kItemKeyData:
        return getU16(r, F::kKeyData);
    case kItemBeatShift:
        return (r[F::kBeatShift] & 0x01) == 0;
    case kItemReverseBurst:
        return r[F::kReverseBurst] == 0;
    case kItemScanAdd:
        return r[F::kScanAdd] == 1;
    case kItemCompander:
        return r[F::kCompander] == 1;
    case kItemCwId:
        return r[F::kCwId] == 1;
    case kItemUserLimit:
        return r[F::kUserLimit] == 0x00;
    case kItemVoiceScrambler:
        return store_.voiceScramblerOn(channel);
    case kItemEncryption:
        return store_.encryptionOn(channel);
    default: {
        const std::size_t offset = choiceOffset(item);
        return offset ? r[offset] : 0;
    }
    }
}

std::string ChannelEditor::format(int channel, int item) const
{
    if (item == kItemChannel)
        return std::to_string(channel + 1);
    const auto r = store_.record(channel);
    if (r.empty())
        return {};
    const std::string off = offText();
    switch (item) {
    case kItemRxFrequency:
        return formatFrequency(getU32(r, F::kRxFrequency), separator_);
    case kItemTxFrequency:
        return formatFrequency(getU32(r, F::kTxFrequency), separator_);
    case kItemQtDecode:
        return formatQtDqt(getU16(r, F::kQtDecode), off, separator_);
    case kItemQtEncode:
        return formatQtDqt(getU16(r, F::kQtEncode), off, separator_);
    case kItemRanDecode:
        return formatRan(getU16(r, F::kRanDecode), off);
    case kItemRanEncode:
        return formatRan(getU16(r, F::kRanEncode), off);
    case kItemName:
        return formatChannelName(getU16(r, F::kName));
    case kItemKeyData:
        return formatKeyData(getU16(r, F::kKeyData));
    case kItemMultiTable: {
        const uint8_t table = r[F::kMultiTable];
        return (table == 0 || table == 0xFF) ? off : std::to_string(table);
    }
    case kItemBeatShift:
    case kItemReverseBurst:
    case kItemCompander:
    case kItemVoiceScrambler:
        return value(channel, item) ? texts_(857) : texts_(858);
    case kItemScanAdd:
    case kItemCwId:
    case kItemUserLimit:
    case kItemEncryption: {
        const int stored = item == kItemUserLimit    ? r[F::kUserLimit]
                           : item == kItemEncryption ? (store_.encryptionOn(channel) ? 0 : 1)
                                                     : r[item == kItemScanAdd ? F::kScanAdd : F::kCwId];
        const int label = choiceLabel(item, stored, modelCode());
        return label ? texts_(label) : std::string();
    }
    default: {
        // The channel's own list names the value first, so the text is one of its entries.
        const int stored = value(channel, item);
        for (const ChannelChoice& choice : choices(channel, item)) {
            if (choice.value == stored)
                return texts_(choice.textNumber);
        }
        const int label = choiceLabel(item, stored, modelCode());
        return label ? texts_(label) : std::string();
    }
    }
}

std::vector<ChannelChoice> ChannelEditor::choices(int channel, int item) const
{
    return channelChoices(store_, channel, item, modelCode());
}

std::vector<std::string> ChannelEditor::choiceTexts(int channel, int item) const
{
    std::vector<std::string> texts;
    const std::string off = offText();
    if (item == kItemQtDecode || item == kItemQtEncode) {
        for (uint16_t code : qtDqtChoiceCodes())
            texts.push_back(formatQtDqt(code, off, separator_));
    } else if (item == kItemRanDecode || item == kItemRanEncode) {
        texts.push_back(off);
        for (int ran = kRanMin; ran <= kRanMax; ++ran)
            texts.push_back(std::to_string(ran));
    } else if (item == kItemMultiTable) {
        for (int table : multiTableChoices(channel))
            texts.push_back(table == 0 ? off : std::to_string(table));
    } else {
        for (const ChannelChoice& choice : choices(channel, item))
            texts.push_back(texts_(choice.textNumber));
    }
    return texts;
}

std::vector<int> ChannelEditor::multiTableChoices(int channel) const
{
    std::vector<int> tables{0};
    const auto r = store_.record(channel);
    if (r.empty())
        return tables;
    for (int table = 1; table <= kMultiTableCount; ++table) {
        if (store_.multiTableCount(table, r[F::kChannelType]) > 0)
            tables.push_back(table);
    }
    return tables;
}

ChannelEditResult ChannelEditor::setFrequency(int channel, bool transmit, std::string_view text, bool typed)
{
    ChannelEditResult result;
    if (channel < 0 || channel >= kChannelCount)
        return result;
    const bool empty = trimTrailingSpaces(text).empty();
    if (!transmit && empty) {
        if (store_.remove(channel))
            result.changed = result.structureChanged = true;
        return result;
    }
    if (transmit && !store_.isProgrammed(channel))
        return result;
    const ChannelSnapshot before = takeChannelSnapshot(store_, channel);
    if (transmit && empty) {
        auto r = store_.record(channel);
        setU32(r, F::kTxFrequency, kNoFrequency);
        setU16(r, F::kQtEncode, kCodeOff);
        setU16(r, F::kRanEncode, kCodeOff);
        applyConsistencyRules(store_, channel, ChannelEditKind::Frequency, before);
        result.changed = true;
        return result;
    }
    const FrequencyEntry entry = parseFrequency(text, limits_, separator_);
    if (entry.outsideBand && typed)
        result.warning = transmit ? kWarningTxOutOfBand : kWarningRxOutOfBand;
    if (!store_.isProgrammed(channel)) {
        store_.create(channel);
        result.structureChanged = true;
    }
    auto r = store_.record(channel);
    setU32(r, transmit ? F::kTxFrequency : F::kRxFrequency, entry.hz);
    applyConsistencyRules(store_, channel, ChannelEditKind::Frequency, before);
    result.changed = true;
    return result;
}

ChannelEditResult ChannelEditor::setQtDqt(int channel, bool encode, std::string_view text, bool typed)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    const uint16_t code = parseQtDqt(text, offText(), separator_);
    if (encode) {
        setU16(r, F::kQtEncode, code);
    } else {
        setU16(r, F::kQtDecode, code);
        if (typed && getU32(r, F::kTxFrequency) != kNoFrequency && getU16(r, F::kQtEncode) == kCodeOff &&
            isItemEnabled(store_, channel, kItemQtEncode))
            setU16(r, F::kQtEncode, code);
        if (code == kCodeOff || r[F::kMultiTable] == 0xFF)
            r[F::kMultiTable] = 0;
    }
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::setRan(int channel, bool encode, std::string_view text, bool typed)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    const uint16_t ran = parseRan(text, offText());
    if (encode) {
        setU16(r, F::kRanEncode, ran);
    } else {
        setU16(r, F::kRanDecode, ran);
        if (typed && getU32(r, F::kTxFrequency) != kNoFrequency && getU16(r, F::kRanEncode) == kCodeOff &&
            isItemEnabled(store_, channel, kItemRanEncode))
            setU16(r, F::kRanEncode, ran);
        if (ran == kCodeOff || r[F::kMultiTable] == 0xFF)
            r[F::kMultiTable] = 0;
    }
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::setName(int channel, std::string_view text)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    const uint16_t stored = encodeChannelName(text);
    setU16(r, F::kName, stored);
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    ChannelEditResult result{0, true, false};
    if (isReservedChannelName(formatChannelName(stored)))
        result.warning = kWarningReservedName;
    return result;
}

ChannelEditResult ChannelEditor::setKeyData(int channel, std::string_view text)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    setU16(r, F::kKeyData, parseKeyData(text));
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::stepKeyData(int channel, int direction)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    setU16(r, F::kKeyData, spinKeyData(getU16(r, F::kKeyData), direction));
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::setChoice(int channel, int item, int choice)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    ChannelEditKind kind = ChannelEditKind::Other;
    if (item == kItemChannelType) {
        if (r[F::kChannelType] == choice)
            return {}; // the same type again changes nothing
        kind = ChannelEditKind::ChannelType;
    }
    if (item == kItemOperationMode) {
        setU16(r, F::kOperationMode, static_cast<uint16_t>(choice));
    } else if (item == kItemMultiTable) {
        return setMultiTable(channel, choice);
    } else if (item == kItemCwId || item == kItemScanAdd || item == kItemUserLimit ||
               item == kItemEncryption) {
        const bool on = item == kItemUserLimit    ? choice == 0
                        : item == kItemEncryption ? choice == 0
                                                  : choice == 1;
        return setFlag(channel, item, on);
    } else {
        const std::size_t offset = choiceOffset(item);
        if (offset == 0)
            return {};
        r[offset] = static_cast<uint8_t>(choice);
    }
    applyConsistencyRules(store_, channel, kind);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::setChoiceText(int channel, int item, std::string_view label)
{
    if (item == kItemMultiTable) {
        const bool off = label.empty() || label == offText();
        return setMultiTable(channel, off ? 0 : static_cast<int>(parseTypedInteger(label)));
    }
    for (const ChannelChoice& choice : choices(channel, item)) {
        if (texts_(choice.textNumber) == label)
            return setChoice(channel, item, choice.value);
    }
    return {};
}

ChannelEditResult ChannelEditor::setMultiTable(int channel, int table)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    r[F::kMultiTable] = static_cast<uint8_t>(table >= 1 && table <= kMultiTableCount ? table : 0);
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

ChannelEditResult ChannelEditor::setFlag(int channel, int item, bool on)
{
    auto r = store_.record(channel);
    if (r.empty())
        return {};
    switch (item) {
    case kItemBeatShift:
        r[F::kBeatShift] = static_cast<uint8_t>(on ? (r[F::kBeatShift] & ~0x01) : (r[F::kBeatShift] | 0x01));
        break;
    case kItemReverseBurst:
        r[F::kReverseBurst] = on ? 0 : 1;
        break;
    case kItemScanAdd:
        r[F::kScanAdd] = on ? 1 : 0;
        break;
    case kItemCompander:
        r[F::kCompander] = on ? 1 : 0;
        break;
    case kItemCwId:
        r[F::kCwId] = on ? 1 : 0;
        break;
    case kItemUserLimit:
        r[F::kUserLimit] = on ? 0x00 : 0xFF;
        break;
    case kItemVoiceScrambler:
        store_.setVoiceScramblerOn(channel, on);
        break;
    case kItemEncryption:
        store_.setEncryptionOn(channel, on);
        break;
    default:
        return {};
    }
    applyConsistencyRules(store_, channel, ChannelEditKind::Other);
    return {0, true, false};
}

bool ChannelEditor::beatShiftOption(int channel, int option) const
{
    const auto r = store_.record(channel);
    if (r.empty() || option < 1 || option > 5)
        return false;
    return (r[F::kBeatShift] & (1u << option)) == 0;
}

ChannelEditResult ChannelEditor::setBeatShiftOption(int channel, int option, bool on)
{
    auto r = store_.record(channel);
    if (r.empty() || option < 1 || option > 5)
        return {};
    const auto mask = static_cast<uint8_t>(1u << option);
    r[F::kBeatShift] = static_cast<uint8_t>(on ? (r[F::kBeatShift] & ~mask) : (r[F::kBeatShift] | mask));
    return {0, true, false};
}

ChannelEditResult ChannelEditor::deleteChannel(int channel)
{
    if (!store_.remove(channel))
        return {};
    return {0, true, true};
}

int ChannelEditor::recheckFrequencies()
{
    int changed = 0;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        auto r = store_.record(channel);
        if (r.empty())
            continue;
        const ChannelSnapshot before = takeChannelSnapshot(store_, channel);
        bool any = false;
        for (std::size_t field : {F::kRxFrequency, F::kTxFrequency}) {
            const uint32_t hz = getU32(r, field);
            if (hz == kNoFrequency)
                continue;
            const uint32_t rechecked = applyFrequencyRule(hz / 1e6, limits_).hz;
            if (rechecked != hz) {
                setU32(r, field, rechecked);
                any = true;
            }
        }
        if (any) {
            applyConsistencyRules(store_, channel, ChannelEditKind::Frequency, before);
            ++changed;
        }
    }
    return changed;
}

} // namespace rps

namespace rps {

int recheckChannelFrequencies(ConfigImage& image, const FrequencyLimits& limits)
{
    ChannelEditor editor(
        image, [](int) { return std::string(); }, limits);
    return editor.recheckFrequencies();
}

} // namespace rps
