#include "forms/channel/ChannelClipboard.h"

#include "forms/channel/ChannelEditor.h"
#include "forms/channel/ChannelRules.h"
#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ModelBlock.h"

#include <algorithm>

namespace rps {

void ChannelClipboard::copy(const ChannelStore& store, int first, int last)
{
    slots_.clear();
    modelCode_ = readModelBlock(store.mainArea()).modelCode();
    first = std::max(first, 0);
    last = std::min(last, kChannelCount - 1);
    for (int channel = first; channel <= last; ++channel) {
        ChannelSlot slot;
        const auto r = store.record(channel);
        if (!r.empty()) {
            slot.programmed = true;
            std::copy(r.begin(), r.end(), slot.record.begin());
            slot.encryptionOn = store.encryptionOn(channel);
            slot.voiceScramblerOn = store.voiceScramblerOn(channel);
        }
        slots_.push_back(slot);
    }
}

ChannelPasteResult ChannelClipboard::paste(ChannelStore& store, int start)
{
    ChannelPasteResult result;
    if (!slots_.empty() && readModelBlock(store.mainArea()).modelCode() != modelCode_) {
        clear(); // copied from a configuration with other band limits
        result.message = kMessagePasteFailed;
        return result;
    }
    if (start < 0)
        return result;
    for (std::size_t j = 0; j < slots_.size(); ++j) {
        const int target = start + static_cast<int>(j);
        if (target >= kChannelCount)
            break;
        const ChannelSlot& slot = slots_[j];
        store.remove(target);
        ++result.written;
        // A record without a receive frequency cannot exist; such a slot empties its target.
        if (!slot.programmed || getU32(slot.record, ChannelField::kRxFrequency) == kNoFrequency)
            continue;
        if (!store.create(target)) {
            result.message = kMessagePasteFailed;
            return result;
        }
        auto r = store.record(target);
        std::copy(slot.record.begin(), slot.record.end(), r.begin());
        store.setEncryptionOn(target, slot.encryptionOn);
        store.setVoiceScramblerOn(target, slot.voiceScramblerOn);
        applyConsistencyRules(store, target, ChannelEditKind::Paste);
    }
    return result;
}

ChannelClipboard& channelClipboard()
{
    static ChannelClipboard clipboard;
    return clipboard;
}

int deleteChannels(ChannelStore& store, int first, int last)
{
    int deleted = 0;
    for (int channel = std::max(first, 0); channel <= std::min(last, kChannelCount - 1); ++channel)
        deleted += store.remove(channel) ? 1 : 0;
    return deleted;
}

} // namespace rps
