#include "link/LinkTrace.h"

#include <cstdio>

namespace rps {

namespace {

LinkTrace::Clock steadyClock()
{
    const auto start = std::chrono::steady_clock::now();
    return
        [start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
}

std::string timeText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%12.6f", seconds);
    return text;
}

} // namespace

LinkTrace::LinkTrace(std::ostream& out, Clock clock)
    : out_(out), clock_(clock ? std::move(clock) : steadyClock())
{
}

LinkTrace::~LinkTrace()
{
    flush();
}

void LinkTrace::sent(std::span<const uint8_t> plain)
{
    add(Direction::Sent, plain);
}

void LinkTrace::received(std::span<const uint8_t> plain)
{
    add(Direction::Received, plain);
}

void LinkTrace::note(std::string_view text)
{
    flush();
    out_ << timeText(clock_()) << "  --  " << text << '\n';
}

void LinkTrace::maskSent(std::vector<MaskRange> ranges)
{
    sentMasks_ = Masks{std::move(ranges), 0, false};
}

void LinkTrace::maskReceived(std::vector<MaskRange> ranges)
{
    receivedMasks_ = Masks{std::move(ranges), 0, false};
}

bool LinkTrace::Masks::covers(std::size_t at) const
{
    for (const MaskRange& range : ranges)
        if (at >= range.skip && at < range.skip + range.count)
            return true;
    return false;
}

void LinkTrace::add(Direction direction, std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return;
    Masks& mine = direction == Direction::Sent ? sentMasks_ : receivedMasks_;
    Masks& other = direction == Direction::Sent ? receivedMasks_ : sentMasks_;
    if (other.used)
        other = Masks{};
    if (direction != direction_) {
        flush();
        direction_ = direction;
        frameStart_ = clock_();
    }
    if (!mine.ranges.empty())
        mine.used = true;
    for (uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        const bool masked = mine.covers(mine.position++);
        frame_ += masked ? " **" : hex;
    }
}

void LinkTrace::flush()
{
    if (direction_ != Direction::None && !frame_.empty())
        out_ << timeText(frameStart_) << (direction_ == Direction::Sent ? "  PC>" : "  <RP") << frame_
             << '\n';
    out_.flush();
    frame_.clear();
    direction_ = Direction::None;
}

} // namespace rps
