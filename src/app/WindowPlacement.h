#pragma once
// The main window placement kept in "LastWinPos": flags, show command, minimised position,
// maximised position and the normal rectangle, written as ten colon-separated integers.
#include <optional>
#include <string>
#include <string_view>

namespace rps {

struct WindowPlacement {
    int flags = 0;
    int showCommand = 0; // 1 normal, 2 minimised, 3 maximised
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const WindowPlacement&) const = default;
};

std::string formatWindowPlacement(const WindowPlacement& placement);
// Nothing unless the text is exactly ten decimal integers separated by colons.
std::optional<WindowPlacement> parseWindowPlacement(std::string_view text);

} // namespace rps
