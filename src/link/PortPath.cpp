#include "link/PortPath.h"

#include <algorithm>
#include <cctype>

namespace rps {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

bool existsAt(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

} // namespace

bool isSerialDeviceName(std::string_view name)
{
    if (name.starts_with("rfcomm"))
        return allDigits(name.substr(6));
    if (!name.starts_with("tty"))
        return false;
    std::string_view rest = name.substr(3);
    std::size_t letters = 0;
    while (letters < rest.size() && std::isalpha(static_cast<unsigned char>(rest[letters])))
        ++letters;
    // tty0..tty63 are virtual consoles, "tty" alone the controlling terminal.
    return letters > 0 && allDigits(rest.substr(letters));
}

std::string resolvePortPath(std::string_view typed, const std::filesystem::path& workingFolder,
                            const std::filesystem::path& devFolder)
{
    if (typed.empty())
        return {};
    const std::filesystem::path path(typed);
    if (path.is_absolute())
        return path.string();
    const std::filesystem::path local = (workingFolder / path).lexically_normal();
    if (typed.find('/') != std::string_view::npos || existsAt(local))
        return local.string();
    // A serial device's name that exists nowhere is the device that is not plugged in: the open
    // fails with "no such file" naming it under /dev, where it was looked for.
    if (isSerialDeviceName(typed))
        return (devFolder / path).string();
    return local.string();
}

std::string resolvePortPath(std::string_view typed)
{
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return resolvePortPath(typed, error ? std::filesystem::path("/") : here);
}

} // namespace rps
