#include "link/TraceSecrets.h"

#include "model/ConfigImage.h"
#include "model/FeatureMap.h"

#include <algorithm>

namespace rps {

namespace {
constexpr std::size_t kPasswordLength = feature::kDataPasswordLength;
constexpr std::size_t kMessagePassword = 0xFD40;
} // namespace

std::vector<LinkTrace::MaskRange> blockSecrets(uint16_t block, std::size_t header)
{
    std::vector<LinkTrace::MaskRange> ranges;
    for (const std::size_t offset : {feature::kReadPassword, feature::kOverwritePassword})
        if (offset / kBlockSize == block)
            ranges.push_back({header + offset % kBlockSize, kPasswordLength});
    return ranges;
}

std::vector<LinkTrace::MaskRange> memorySecrets(uint16_t address, std::size_t length, std::size_t header)
{
    const std::size_t first = std::max<std::size_t>(address, kMessagePassword);
    const std::size_t end = std::min<std::size_t>(address + length, kMessagePassword + kPasswordLength);
    if (first >= end)
        return {};
    return {{header + first - address, end - first}};
}

} // namespace rps
