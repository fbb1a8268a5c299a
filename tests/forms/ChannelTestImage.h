#pragma once
// A configuration image for channel tests: a VHF or UHF model block and a channel editor
// whose language texts read "T<number>".
#include "forms/channel/ChannelEditor.h"
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/ModelBlock.h"

#include <string>

namespace rps::test {

inline std::string fakeText(int number)
{
    return "T" + std::to_string(number);
}

struct ChannelTestImage {
    explicit ChannelTestImage(uint16_t modelCode = 0x0400, bool fineStep = false)
        : limits(FrequencyLimits::forModelCode(modelCode, fineStep)), editor(image, fakeText, limits, '.')
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
        setU32(image.main(), 0x025C, 0x0FFF);
    }

    // Programs a channel with an RX (and optionally TX) frequency in MHz text.
    void program(int channel, const std::string& rx, const std::string& tx = {})
    {
        editor.setFrequency(channel, false, rx, false);
        if (!tx.empty())
            editor.setFrequency(channel, true, tx, false);
    }

    std::span<uint8_t> record(int channel) { return editor.store().record(channel); }
    uint16_t indexEntry(int channel) const
    {
        return getU16(image.main(), 2 * static_cast<std::size_t>(channel));
    }

    ConfigImage image;
    FrequencyLimits limits;
    ChannelEditor editor;
};

} // namespace rps::test
