#include "sim/SimDevice.h"

namespace rps::sim {

bool SimDevice::open(const std::string& path)
{
    if (open_ || path.empty() || failOpen_) {
        failOpen_ = false;
        return false;
    }
    open_ = true;
    ++openCount_;
    return true;
}

bool SimDevice::close()
{
    const bool wasOpen = open_;
    open_ = false;
    return wasOpen;
}

bool SimDevice::applyLineSettings(const LineSettings& settings)
{
    if (!open_)
        return false;
    baud_ = settings.baud;
    repeater_.poll(baud_, now_ * 1000);
    return true;
}

std::size_t SimDevice::read(uint8_t* destination, std::size_t count, int timeoutMs)
{
    if (!open_)
        return 0;
    const uint64_t deadline = now_ + static_cast<uint64_t>(std::max(timeoutMs, 0));
    std::size_t got = 0;
    auto& output = repeater_.output();
    while (got < count) {
        repeater_.poll(baud_, now_ * 1000);
        if (!output.empty() && output.front().dueUs <= now_ * 1000) {
            destination[got++] = output.front().byte;
            wire_.push_back(WireByte{false, output.front().byte, baud_});
            output.pop_front();
            continue;
        }
        if (!output.empty() && output.front().dueUs <= deadline * 1000) {
            now_ = (output.front().dueUs + 999) / 1000;
            continue;
        }
        // The repeater may answer without another byte from the PC (it held what looked like
        // the start of a mode entry): let the time pass up to that moment.
        const std::optional<uint64_t> wake = repeater_.wakeUs();
        if (output.empty() && wake && *wake > now_ * 1000 && *wake <= deadline * 1000) {
            now_ = (*wake + 999) / 1000;
            continue;
        }
        now_ = deadline;
        break;
    }
    return got;
}

bool SimDevice::writeAll(const uint8_t* source, std::size_t count)
{
    if (!open_)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        wire_.push_back(WireByte{true, source[i], baud_});
        repeater_.receive(source[i], baud_, now_ * 1000);
    }
    return true;
}

void SimDevice::discardInput()
{
    auto& output = repeater_.output();
    while (!output.empty() && output.front().dueUs <= now_ * 1000)
        output.pop_front();
}

std::optional<bool> SimDevice::takeLineError()
{
    if (!open_)
        return std::nullopt;
    const bool error = lineError_;
    lineError_ = false;
    return error;
}

void SimDevice::delayMs(int ms)
{
    now_ += static_cast<uint64_t>(std::max(ms, 0));
    repeater_.poll(baud_, now_ * 1000);
}

} // namespace rps::sim
