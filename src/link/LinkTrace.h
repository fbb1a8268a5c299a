#pragma once
// The serial trace for support: every frame on the line with its time and direction, as plain
// (unscrambled) bytes, one line per frame. Password bytes are never written: the command that
// sends one marks them and the trace shows "**" in their place.
#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

class LinkTrace {
public:
    using Clock = std::function<double()>; // seconds since the trace began
    explicit LinkTrace(std::ostream& out, Clock clock = {});
    ~LinkTrace();
    LinkTrace(const LinkTrace&) = delete;
    LinkTrace& operator=(const LinkTrace&) = delete;

    void sent(std::span<const uint8_t> plain);
    void received(std::span<const uint8_t> plain);
    // A line of its own between frames ("no answer", a change of line speed).
    void note(std::string_view text);
    // Bytes of the next frame in one direction to show masked, counted from the next byte that
    // goes that way. A mask lapses once the other side has had its turn.
    struct MaskRange {
        std::size_t skip = 0;
        std::size_t count = 0;
    };
    void maskSent(std::vector<MaskRange> ranges);
    void maskReceived(std::vector<MaskRange> ranges);
    void flush();

private:
    enum class Direction { None, Sent, Received };
    struct Masks {
        std::vector<MaskRange> ranges;
        std::size_t position = 0;
        bool used = false;
        bool covers(std::size_t at) const;
    };
    void add(Direction direction, std::span<const uint8_t> bytes);

    std::ostream& out_;
    Clock clock_;
    Direction direction_ = Direction::None;
    double frameStart_ = 0;
    std::string frame_;
    Masks sentMasks_;
    Masks receivedMasks_;
};

} // namespace rps
