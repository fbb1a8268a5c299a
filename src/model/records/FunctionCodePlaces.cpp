#include "model/records/FunctionCodePlaces.h"

#include "model/ByteOrder.h"
#include "model/ImageMap.h"

#include <algorithm>

namespace rps {

const std::vector<std::size_t>& functionSlotGroups()
{
    static const std::vector<std::size_t> groups = [] {
        std::vector<std::size_t> list;
        for (std::size_t key = 0; key < 6; ++key)
            list.push_back(kKeyFunctionOffset + 8 * key); // front-panel keys 1..6
        for (std::size_t group = kPortFunctionOffset; group < kPortFunctionEnd; group += 8)
            list.push_back(group);            // function port tables
        list.push_back(kStartupActionOffset); // start-up actions
        for (std::size_t row : kEventRowOffsets)
            list.push_back(row); // TX/RX event rows 1..4
        for (std::size_t row = 0; row < 3; ++row)
            list.push_back(kTimerRowOffset + 8 * row); // timer rows
        for (std::size_t row = 0; row < 5; ++row)
            list.push_back(kConnectionRowOffset + 8 * row); // connection rows
        return list;
    }();
    return groups;
}

bool removeFunctionCodes(std::span<uint8_t> mainArea, std::span<const uint16_t> codes)
{
    bool changed = false;
    for (std::size_t group : functionSlotGroups()) {
        bool emptying = false;
        for (std::size_t slot = 0; slot < 3; ++slot) {
            const std::size_t offset = group + 2 * slot;
            const uint16_t code = getU16(mainArea, offset);
            emptying = emptying || std::find(codes.begin(), codes.end(), code) != codes.end();
            if (emptying && code != kNoFunction) {
                setU16(mainArea, offset, kNoFunction);
                changed = true;
            }
        }
    }
    return changed;
}

} // namespace rps
