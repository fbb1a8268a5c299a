#include "service/AdjustmentSession.h"

#include <algorithm>

namespace rps {

namespace {

constexpr uint8_t kVolumeCommand = 0x21;
constexpr uint8_t kTestToneCommand = 0x6D;
constexpr uint8_t kGainCommand = 0xB3;
constexpr int kVolumeMax = 31;

std::vector<int> valuesOf(std::span<const uint8_t> bytes, int width)
{
    std::vector<int> values;
    for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= bytes.size();
         i += static_cast<std::size_t>(width))
        values.push_back(width == 2 ? bytes[i] | bytes[i + 1] << 8 : bytes[i]);
    return values;
}

} // namespace

AdjustmentSession::AdjustmentSession(TestModeSession& testMode, const TuningItem& item)
    : testMode_(testMode), link_(testMode.link()), item_(item)
{
}

bool AdjustmentSession::openPoint(int point)
{
    if (open_) {
        const uint8_t previous = command();
        if (!testMode_.run([&] { return link_.switchFunction(previous, false); }))
            return false;
        open_ = false;
    }
    point_ = std::clamp(point, 0, tuningPointCount(item_) - 1);
    if (!spacingSent_) {
        if (!testMode_.run([&] { return link_.selectSpacing(item_.spacing); }))
            return false;
        spacingSent_ = true;
    }
    const uint8_t c = command();
    if (!testMode_.run([&] { return link_.switchFunction(c, true); }))
        return false;
    open_ = true;
    return readValues();
}

bool AdjustmentSession::readValues()
{
    std::vector<uint8_t> bytes(static_cast<std::size_t>(item_.width * tuningValueCount(item_)));
    // Two-byte values arrive high byte first and are swapped to host order.
    if (!testMode_.run([&] { return link_.readPointValues(bytes, item_.width == 2); }))
        return false;
    values_ = valuesOf(bytes, item_.width);
    return true;
}

bool AdjustmentSession::onValue(int which, const std::function<int()>& frame)
{
    if (which == 0)
        return testMode_.run(frame);
    const uint8_t c = command();
    return testMode_.run([&] { return link_.switchTestFunction(c, true); }) && testMode_.run(frame) &&
           testMode_.run([&] { return link_.switchTestFunction(c, false); });
}

bool AdjustmentSession::stepTo(int raw, int which)
{
    const TuningRange range = tuningRange(item_.rangeCode);
    const auto index = static_cast<std::size_t>(which);
    if (which < 0 || index >= values_.size() || raw < range.rawMin || raw > range.rawMax)
        return false;
    const int delta = raw - values_[index];
    const uint8_t c = command();
    if (!onValue(which, [&] { return link_.stepValue(c, delta, item_.width == 2); }))
        return false;
    values_[index] = raw;
    return true;
}

bool AdjustmentSession::apply(int raw, int which)
{
    const TuningRange range = tuningRange(item_.rangeCode);
    const auto index = static_cast<std::size_t>(which);
    if (which < 0 || which >= tuningValueCount(item_) || raw < range.rawMin || raw > range.rawMax)
        return false;
    const uint8_t c = command();
    const bool ok = onValue(which, [&] {
        return item_.width == 2 ? link_.setValue16(c, static_cast<uint16_t>(raw))
                                : link_.setValue(c, static_cast<uint8_t>(raw));
    });
    if (ok && index < values_.size())
        values_[index] = raw;
    return ok;
}

bool AdjustmentSession::readCurrent(std::vector<int>& current)
{
    if (item_.key == 71 || command() == kGainCommand) {
        std::array<uint8_t, 2> gains{};
        if (!testMode_.run([&] { return link_.queryTwoBytes(gains, true); }))
            return false;
        current = {gains[0], gains[1]};
        return true;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(item_.width * tuningValueCount(item_)));
    const uint8_t c = command();
    if (!testMode_.run([&] { return link_.queryValues(c, bytes); }))
        return false;
    // The radio sends high byte first.
    current.clear();
    for (std::size_t i = 0; i + static_cast<std::size_t>(item_.width) <= bytes.size(); i += item_.width)
        current.push_back(item_.width == 2 ? bytes[i] << 8 | bytes[i + 1] : bytes[i]);
    return true;
}

bool AdjustmentSession::setVolume(int position)
{
    if (position < 0 || position > kVolumeMax)
        return false;
    const int delta = position - volume_;
    if (!testMode_.run([&] { return link_.stepValue(kVolumeCommand, delta, false); }))
        return false;
    volume_ = position;
    return true;
}

bool AdjustmentSession::setTestTone(bool on)
{
    return testMode_.run([&] { return link_.switchFunction(kTestToneCommand, on); });
}

bool AdjustmentSession::close()
{
    if (automatic_ && !stopAutomatic())
        return false;
    if (open_) {
        const uint8_t c = command();
        if (!testMode_.run([&] { return link_.switchFunction(c, false); }))
            return false;
        open_ = false;
    }
    return testMode_.sendTestConditions();
}

} // namespace rps
