#include "app/WindowPlacement.h"

#include <array>
#include <charconv>

namespace rps {

std::string formatWindowPlacement(const WindowPlacement& p)
{
    const std::array values{p.flags, p.showCommand, p.minX, p.minY,  p.maxX,
                            p.maxY,  p.left,        p.top,  p.right, p.bottom};
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            out += ':';
        }
        out += std::to_string(values[i]);
    }
    return out;
}

std::optional<WindowPlacement> parseWindowPlacement(std::string_view text)
{
    std::array<int, 10> values{};
    const char* pos = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            if (pos == end || *pos != ':') {
                return std::nullopt;
            }
            ++pos;
        }
        if (pos != end && *pos == '+') {
            ++pos;
        }
        const auto [next, ec] = std::from_chars(pos, end, values[i]);
        if (ec != std::errc()) {
            return std::nullopt;
        }
        pos = next;
    }
    if (pos != end) {
        return std::nullopt;
    }
    return WindowPlacement{values[0], values[1], values[2], values[3], values[4],
                           values[5], values[6], values[7], values[8], values[9]};
}

} // namespace rps
