#pragma once
// Field-level editing of channels: the display text of every item and the store operations
// behind the channel forms. Each store applies the consistency rules afterwards; edits of an
// empty channel other than its receive frequency are ignored.
#include "forms/channel/ChannelRules.h"
#include "forms/channel/ChannelStore.h"
#include "model/FrequencyLimits.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

// Language text lookup (text number -> text) handed in by whoever shows the result.
using TextLookup = std::function<std::string(int)>;

inline constexpr int kTextOff = 849;
inline constexpr int kWarningRxOutOfBand = 786;
inline constexpr int kWarningTxOutOfBand = 787;
inline constexpr int kWarningReservedName = 809;
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

    ChannelStore& store() { return store_; }
    const ChannelStore& store() const { return store_; }
    uint16_t modelCode() const;
    char decimalSeparator() const { return separator_; }
    std::string offText() const { return texts_(kTextOff); }

    // Display text of an item; "" for every item of an empty channel but the channel number.
    std::string format(int channel, int item) const;
    // Stored value of an item; flags give their check state (1 = on).
    int value(int channel, int item) const;
    bool isEnabled(int channel, int item) const { return isItemEnabled(store_, channel, item); }
    std::vector<ChannelChoice> choices(int channel, int item) const;
    // Labels of a drop-down or editable drop-down item, in list order.
    std::vector<std::string> choiceTexts(int channel, int item) const;
    // Multi tables usable by this channel: 0 (off) and the tables with entries for its type.
    std::vector<int> multiTableChoices(int channel) const;

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
    ChannelStore store_;
    TextLookup texts_;
    FrequencyLimits limits_;
    char separator_;
};

} // namespace rps

namespace rps {

// The channel re-check a model change runs with the new band limits.
int recheckChannelFrequencies(ConfigImage& image, const FrequencyLimits& limits);

} // namespace rps
