#include "print/PrintSelection.h"

#include <algorithm>
#include <array>

namespace rps::print {

namespace {

constexpr std::array<ItemName, 19> kItemNames{{
    {"model", kModel},
    {"message", kMessage},
    {"protected-message", kProtectedMessage},
    {"product", kProduct},
    {"features", kFeatures},
    {"key", kKey},
    {"scan", kScan},
    {"dtmf", kDtmf},
    {"encode-decode", kEncDec},
    {"nxdn", kNxdn},
    {"remote", kRemote},
    {"port", kPort},
    {"multi-table", kMulti},
    {"cw-message", kCwMessage},
    {"user-list", kUsers},
    {"test-frequency", kTestFrequency},
    {"advanced", kAdvanced},
    {"channel", kChannels},
    {"cwid", kCwId},
}};

int clampChannel(int typed)
{
    return std::clamp(typed, kFirstChannel, kLastChannel);
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

PrintSelection PrintSelection::opening()
{
    PrintSelection selection;
    selection.flags_ = kModel | kMessage;
    return selection;
}

void PrintSelection::set(Flag flag, bool on)
{
    if (flag == kCwId && !isOn(kChannels))
        on = false;
    flags_ = on ? (flags_ | flag) : (flags_ & ~static_cast<uint32_t>(flag));
    if (flag == kChannels)
        flags_ &= ~static_cast<uint32_t>(kCwId);
}

void PrintSelection::selectAll()
{
    flags_ = kAllFlags;
    start_ = kFirstChannel;
    end_ = kLastChannel;
}

void PrintSelection::setStart(int typed)
{
    start_ = clampChannel(typed);
    if (start_ > end_)
        end_ = start_;
}

void PrintSelection::setEnd(int typed)
{
    end_ = clampChannel(typed);
    if (end_ < start_)
        start_ = end_;
}

std::span<const ItemName> itemNames()
{
    return kItemNames;
}

std::optional<uint32_t> parseItems(std::string_view list, std::string& problem)
{
    uint32_t flags = 0;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view name = trimmed(list.substr(start, comma - start));
        start = comma + 1;
        const auto* item = std::find_if(kItemNames.begin(), kItemNames.end(),
                                        [&](const ItemName& known) { return known.name == name; });
        if (item == kItemNames.end()) {
            problem = "unknown section \"" + std::string(name) + "\"";
            return std::nullopt;
        }
        flags |= item->flag;
    }
    if ((flags & kCwId) && !(flags & kChannels)) {
        problem = "section \"cwid\" needs \"channel\"";
        return std::nullopt;
    }
    return flags;
}

} // namespace rps::print
