#pragma once
// The channel forms' fields over one image: the channel field table, its codecs and rules
// run by the field engine, named by the channel forms' item numbers. Each store applies
// the consistency rules afterwards; edits of an empty channel other than its receive
// frequency are ignored.
#include "forms/channel/ChannelFields.h"
#include "model/FrequencyLimits.h"
#include "model/records/ChannelStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace rps {

using TextLookup = fields::TextLookup;

inline constexpr int kMessagePasteFailed = 792;

struct ChannelEditResult {
    int warning = 0;               // language text to show the user, 0 for none
    bool changed = false;          // something was stored
    bool structureChanged = false; // a channel was created or deleted
};

class ChannelEditor {
public:
    ChannelEditor(ConfigImage& image, TextLookup texts, FrequencyLimits limits, char decimalSeparator = '.');
    ChannelEditor(std::span<uint8_t> mainArea, std::span<uint8_t> auxArea, TextLookup texts,
                  FrequencyLimits limits, char decimalSeparator = '.');
    ChannelEditor(const ChannelEditor&) = delete;
    ChannelEditor& operator=(const ChannelEditor&) = delete;

    ChannelStore& store() { return store_; }
    const ChannelStore& store() const { return store_; }
    uint16_t modelCode() const;
    char decimalSeparator() const { return env_.decimalSeparator; }
    std::string offText() const { return env_.text(kTextOff); }
    // The engine over the channel field table (records looked up again on every call here,
    // as the store may have been changed directly).
    fields::FieldEngine& engine() const;

    // Display text of an item; "" for every item of an empty channel but the channel number.
    std::string format(int channel, int item) const;
    // Stored value of an item; flags give their check state (1 = on); -1 for an empty channel.
    int value(int channel, int item) const;
    bool isEnabled(int channel, int item) const { return isItemEnabled(store_, channel, item); }
    std::vector<ChannelChoice> choices(int channel, int item) const;
    // Labels of a drop-down or editable drop-down item, in list order.
    std::vector<std::string> choiceTexts(int channel, int item) const;
    // Multi tables usable by this channel: 0 (off) and the tables with entries for its type.
    std::vector<int> multiTableChoices(int channel) const;

    // A text typed into an item's field and left; `typed` false stores without the warnings
    // a user would see (values that come from elsewhere).
    ChannelEditResult setText(int channel, int item, std::string_view text, bool typed = true);
    ChannelEditResult setFrequency(int channel, bool transmit, std::string_view text, bool typed);
    ChannelEditResult setQtDqt(int channel, bool encode, std::string_view text, bool typed);
    ChannelEditResult setRan(int channel, bool encode, std::string_view text, bool typed);
    ChannelEditResult setName(int channel, std::string_view text);
    ChannelEditResult setKeyData(int channel, std::string_view text);
    ChannelEditResult stepKeyData(int channel, int direction);
    ChannelEditResult setChoice(int channel, int item, int value);
    // A drop-down item chosen by its label text (the grid's editors hand back text).
    ChannelEditResult setChoiceText(int channel, int item, std::string_view label);
    ChannelEditResult setMultiTable(int channel, int table);
    ChannelEditResult setFlag(int channel, int item, bool on);
    bool beatShiftOption(int channel, int option) const;
    ChannelEditResult setBeatShiftOption(int channel, int option, bool on);
    ChannelEditResult deleteChannel(int channel);

    // Re-applies the frequency rule of the current limits to every programmed channel (after
    // a model change); returns the number of channels whose frequencies changed.
    int recheckFrequencies();

private:
    ChannelEditResult chooseLabel(int channel, int item, std::string_view label);

    ChannelStore store_;
    fields::ImageSpans areas_;
    fields::FieldEnv env_;
    mutable fields::ChannelRecords records_;
    mutable ChannelFieldRules rules_;
    mutable fields::FieldEngine engine_;
};

// The edit result as the channel forms report it.
ChannelEditResult toChannelResult(const fields::EditResult& result);

// The channel re-check a model change runs with the new band limits.
int recheckChannelFrequencies(ConfigImage& image, const FrequencyLimits& limits);

} // namespace rps
