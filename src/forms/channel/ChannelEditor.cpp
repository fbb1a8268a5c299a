#include "forms/channel/ChannelEditor.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ModelBlock.h"

namespace rps {

using namespace fields;
namespace F = ChannelField;

ChannelEditResult toChannelResult(const EditResult& result)
{
    return {result.refused ? 0 : result.message, result.changed, result.structureChanged};
}

ChannelEditor::ChannelEditor(ConfigImage& image, TextLookup texts, FrequencyLimits limits,
                             char decimalSeparator)
    : ChannelEditor(image.main(), image.aux(), std::move(texts), limits, decimalSeparator)
{
}

ChannelEditor::ChannelEditor(std::span<uint8_t> mainArea, std::span<uint8_t> auxArea, TextLookup texts,
                             FrequencyLimits limits, char decimalSeparator)
    : store_(mainArea, auxArea), areas_{mainArea, auxArea, {}}, env_{std::move(texts), limits,
                                                                     decimalSeparator},
      records_(store_), rules_(store_, env_), engine_(kChannelFields, records_, areas_, env_, &rules_)
{
}

uint16_t ChannelEditor::modelCode() const
{
    return readModelBlock(store_.mainArea()).modelCode();
}

FieldEngine& ChannelEditor::engine() const
{
    records_.reload();
    return engine_;
}

int ChannelEditor::value(int channel, int item) const
{
    if (item == kItemChannel)
        return channel + 1;
    if (!store_.isProgrammed(channel))
        return -1;
    const FieldRow& row = channelField(item);
    if (row.control == Control::CheckBox)
        return engine().checked(row, channel) ? 1 : 0;
    const auto raw = engine().raw(row, channel);
    if (!raw)
        return 0;
    return static_cast<int>(*raw & 0x7FFFFFFF);
}

std::string ChannelEditor::format(int channel, int item) const
{
    if (item == kItemChannel)
        return std::to_string(channel + 1);
    if (item < 0 || item >= kChannelItemCount)
        return {};
    return engine().shown(channelField(item), channel);
}

std::vector<ChannelChoice> ChannelEditor::choices(int channel, int item) const
{
    std::vector<ChannelChoice> list;
    if (item < 0 || item >= kChannelItemCount)
        return list;
    for (const Choice& choice : engine().choices(channelField(item), channel))
        list.push_back({static_cast<int>(choice.value), choice.text});
    return list;
}

std::vector<std::string> ChannelEditor::choiceTexts(int channel, int item) const
{
    if (item < 0 || item >= kChannelItemCount)
        return {};
    return engine().choiceLabels(channelField(item), channel);
}

std::vector<int> ChannelEditor::multiTableChoices(int channel) const
{
    std::vector<int> tables;
    for (const Choice& choice : engine().choices(channelField(kItemMultiTable), channel))
        tables.push_back(static_cast<int>(choice.value));
    return tables;
}

ChannelEditResult ChannelEditor::setText(int channel, int item, std::string_view text, bool typed)
{
    if (channel < 0 || channel >= kChannelCount || item < 0 || item >= kChannelItemCount)
        return {};
    ChannelEditResult result = toChannelResult(engine().commitText(channelField(item), channel, text));
    if (!typed)
        result.warning = 0;
    return result;
}

ChannelEditResult ChannelEditor::chooseLabel(int channel, int item, std::string_view label)
{
    if (channel < 0 || channel >= kChannelCount)
        return {};
    return toChannelResult(engine().choose(channelField(item), channel, label));
}

ChannelEditResult ChannelEditor::setFrequency(int channel, bool transmit, std::string_view text, bool typed)
{
    return setText(channel, transmit ? kItemTxFrequency : kItemRxFrequency, text, typed);
}

ChannelEditResult ChannelEditor::setQtDqt(int channel, bool encode, std::string_view text, bool typed)
{
    const int item = encode ? kItemQtEncode : kItemQtDecode;
    return typed ? setText(channel, item, text) : chooseLabel(channel, item, text);
}

ChannelEditResult ChannelEditor::setRan(int channel, bool encode, std::string_view text, bool typed)
{
    const int item = encode ? kItemRanEncode : kItemRanDecode;
    return typed ? setText(channel, item, text) : chooseLabel(channel, item, text);
}

ChannelEditResult ChannelEditor::setName(int channel, std::string_view text)
{
    return setText(channel, kItemName, text);
}

ChannelEditResult ChannelEditor::setKeyData(int channel, std::string_view text)
{
    return setText(channel, kItemKeyData, text);
}

ChannelEditResult ChannelEditor::stepKeyData(int channel, int direction)
{
    return toChannelResult(engine().spin(channelField(kItemKeyData), channel, direction));
}

ChannelEditResult ChannelEditor::setChoice(int channel, int item, int value)
{
    if (item < 0 || item >= kChannelItemCount || !store_.isProgrammed(channel))
        return {};
    const FieldRow& row = channelField(item);
    if (row.control == Control::CheckBox)
        return setFlag(channel, item, static_cast<uint32_t>(value) == row.onOff.on);
    if (item == kItemMultiTable)
        return setMultiTable(channel, value);
    for (const Choice& choice : engine().choices(row, channel)) {
        if (choice.value == static_cast<uint32_t>(value))
            return chooseLabel(channel, item, engine().label(row, choice));
    }
    return {};
}

ChannelEditResult ChannelEditor::setChoiceText(int channel, int item, std::string_view label)
{
    return chooseLabel(channel, item, label);
}

ChannelEditResult ChannelEditor::setMultiTable(int channel, int table)
{
    const bool valid = table >= 1 && table <= kMultiTableCount;
    return chooseLabel(channel, kItemMultiTable, valid ? std::to_string(table) : offText());
}

ChannelEditResult ChannelEditor::setFlag(int channel, int item, bool on)
{
    if (item < 0 || item >= kChannelItemCount || channelField(item).control != Control::CheckBox)
        return {};
    return toChannelResult(engine().setChecked(channelField(item), channel, on));
}

bool ChannelEditor::beatShiftOption(int channel, int option) const
{
    if (option < 1 || option > 5)
        return false;
    records_.reload();
    FieldEngine options(kBeatShiftFields, records_, areas_, env_);
    return options.checked(kBeatShiftFields[static_cast<std::size_t>(option - 1)], channel);
}

ChannelEditResult ChannelEditor::setBeatShiftOption(int channel, int option, bool on)
{
    if (option < 1 || option > 5 || !store_.isProgrammed(channel))
        return {};
    records_.reload();
    FieldEngine options(kBeatShiftFields, records_, areas_, env_);
    return toChannelResult(
        options.setChecked(kBeatShiftFields[static_cast<std::size_t>(option - 1)], channel, on));
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
            const uint32_t rechecked = applyFrequencyRule(hz / 1e6, env_.limits).hz;
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

int recheckChannelFrequencies(ConfigImage& image, const FrequencyLimits& limits)
{
    ChannelEditor editor(
        image, [](int) { return std::string(); }, limits);
    return editor.recheckFrequencies();
}

} // namespace rps
