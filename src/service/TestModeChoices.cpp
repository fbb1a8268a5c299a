#include "service/TestModeChoices.h"

#include "model/ImageMap.h"

#include <cstdio>

namespace rps {

namespace {

uint32_t readLe32(std::span<const uint8_t> bytes, std::size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::size_t channelOffset(int channel)
{
    return kTestFrequencyOffset + 8 * static_cast<std::size_t>(channel);
}

} // namespace

uint32_t testChannelReceive(std::span<const uint8_t> mainArea, int channel)
{
    return readLe32(mainArea, channelOffset(channel));
}

uint32_t testChannelTransmit(std::span<const uint8_t> mainArea, int channel)
{
    return readLe32(mainArea, channelOffset(channel) + 4);
}

bool isTestChannelValid(std::span<const uint8_t> mainArea, int channel)
{
    return channel >= 0 && channel < kTestChannelCount &&
           testChannelReceive(mainArea, channel) != 0xFFFFFFFFu;
}

std::optional<int> nextValidTestChannel(std::span<const uint8_t> mainArea, int from, int direction)
{
    int channel = from;
    for (int tries = 0; tries < kTestChannelCount - 1; ++tries) {
        channel = (channel + direction + kTestChannelCount) % kTestChannelCount;
        if (isTestChannelValid(mainArea, channel))
            return channel;
    }
    return std::nullopt;
}

int signallingCount(int mode)
{
    return mode == 0 ? 15 : 26;
}

std::vector<ChoiceItem> spacingChoices(int mode, bool firstGroup, int signalling)
{
    if (mode != 0)
        return {{184, 3}, {185, 4}};
    if (signalling == kNarrowOnlySignalling)
        return {{184, 1}};
    if (firstGroup)
        return {{682, 0}, {681, 2}, {184, 1}};
    return {{183, 0}, {184, 1}};
}

bool signallingAllowed(int mode, int signalling, int spacing)
{
    if (signalling < 0 || signalling >= signallingCount(mode))
        return false;
    return mode != 0 || signalling != kNarrowOnlySignalling || spacing == 1;
}

std::string berText(uint16_t value)
{
    if (value == 0xFFFE)
        return "****";
    if (value == 0xFFFF)
        return "----";
    if (value > 10000)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%3.2f ", value * 0.01);
    return text;
}

} // namespace rps
