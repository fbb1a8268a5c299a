#pragma once
// The rules that keep a channel record consistent after an edit, decide which of its fields
// may be edited, and list the choices a field offers for this channel and model.
#include "forms/channel/ChannelItems.h"
#include "model/records/ChannelStore.h"

#include <cstdint>
#include <vector>

namespace rps {

enum class ChannelEditKind {
    Other,
    Frequency,   // an RX or TX frequency was stored
    ChannelType, // a different channel type was chosen
    Paste,       // a whole record was pasted
};

struct ChannelSnapshot {
    bool rxEqualsTxOrNoTx = false;
};

// What the frequency rule needs to know about the channel before the edit.
ChannelSnapshot takeChannelSnapshot(const ChannelStore& store, int channel);

// Brings the record back into a consistent state after a store.
void applyConsistencyRules(ChannelStore& store, int channel, ChannelEditKind kind,
                           const ChannelSnapshot& before = {});

bool isItemEnabled(const ChannelStore& store, int channel, int item);

struct ChannelChoice {
    int value;
    int textNumber; // language text of the label
};

// The drop-down entries of an item that depend on the channel and model (the operation
// modes while RX = TX, the analog spacings of the model and type); empty for items whose
// list is the field table's own.
std::vector<ChannelChoice> channelChoices(const ChannelStore& store, int channel, int item,
                                          uint16_t modelCode);

} // namespace rps
