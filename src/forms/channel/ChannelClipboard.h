#pragma once
// Whole-channel copy, paste and delete of the channel grid. The copy buffer outlives the
// form but not the image: whoever replaces the image (New, Open, a read, a model change)
// clears it, so an old copy never lands in a configuration with other band limits. As a
// second guard a copy taken under another model code is dropped instead of pasted, and the
// paste says it cannot be completed.
#include "model/records/ChannelStore.h"

#include <array>
#include <cstdint>
#include <vector>

namespace rps {

struct ChannelSlot {
    bool programmed = false;
    std::array<uint8_t, kChannelRecordSize> record{};
    bool encryptionOn = false;
    bool voiceScramblerOn = false;
};

struct ChannelPasteResult {
    int written = 0; // channels written (programmed or emptied)
    int message = 0; // language text to show when the paste could not be completed
};

class ChannelClipboard {
public:
    // Copies channels first..last (0-based, inclusive); replaces the previous copy.
    void copy(const ChannelStore& store, int first, int last);
    // Writes slot j to channel start + j; targets past channel 30 are skipped.
    ChannelPasteResult paste(ChannelStore& store, int start);
    bool isEmpty() const { return slots_.empty(); }
    std::size_t size() const { return slots_.size(); }
    void clear() { slots_.clear(); }

private:
    std::vector<ChannelSlot> slots_;
    uint16_t modelCode_ = 0;
};

// The copy buffer shared by every channel grid of the program run.
ChannelClipboard& channelClipboard();

// Deletes every programmed channel of first..last; returns how many were deleted.
int deleteChannels(ChannelStore& store, int first, int last);

} // namespace rps
