#include "model/records/FunctionCodePlaces.h"

#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/ImageMap.h"

#include <algorithm>

namespace rps {

namespace F = feature;

namespace {

std::size_t groupOffset(std::size_t table, int row)
{
    return table + F::kGroupStride * static_cast<std::size_t>(row);
}

std::size_t remoteOffset(std::size_t run, int row)
{
    return run + F::kRemoteEntrySize * static_cast<std::size_t>(row);
}

std::size_t slotOffset(std::size_t group, std::size_t slot)
{
    return group + F::kSlotStride * slot;
}

} // namespace

const std::vector<FunctionPlace>& functionPlaces()
{
    static const std::vector<FunctionPlace> places = [] {
        std::vector<FunctionPlace> list;
        for (int key = 0; key < F::kKeyCount; ++key)
            list.push_back({groupOffset(F::kKeyFunctions, key), FunctionContext::kKeys,
                            remoteOffset(F::kRemoteKeys, key)});
        for (int input = 0; input < F::kFixedInputCount; ++input)
            list.push_back({groupOffset(F::kFixedInputFunctions, input), FunctionContext::kPort,
                            remoteOffset(F::kRemoteFixedInputs, input)});
        for (int port = 0; port < F::kPortCount; ++port)
            list.push_back({groupOffset(F::kPortInputFunctions, port), FunctionContext::kPort,
                            remoteOffset(F::kRemotePortInputs, port)});
        list.push_back({F::kStartUpFunctions, FunctionContext::kStartUp, std::nullopt});
        const FunctionContext txRx[F::kTxRxRowCount] = {FunctionContext::kTxRx1, FunctionContext::kTxRx2,
                                                        FunctionContext::kTxRx3, FunctionContext::kTxRx4};
        for (int row = 0; row < F::kTxRxRowCount; ++row)
            list.push_back({F::kTxRxRows[row], txRx[row], std::nullopt});
        for (int row = 0; row < F::kTimerCount; ++row)
            list.push_back({groupOffset(F::kTimerFunctions, row), FunctionContext::kTimer, std::nullopt});
        for (int row = 0; row < F::kConnectionRowCount; ++row)
            list.push_back(
                {groupOffset(F::kConnectionFunctions, row), FunctionContext::kConnection, std::nullopt});
        return list;
    }();
    return places;
}

const std::vector<std::size_t>& functionSlotGroups()
{
    static const std::vector<std::size_t> groups = [] {
        std::vector<std::size_t> list;
        for (const FunctionPlace& place : functionPlaces())
            list.push_back(place.offset);
        return list;
    }();
    return groups;
}

const FunctionPlace* functionPlaceAt(std::size_t groupOffset)
{
    const auto& places = functionPlaces();
    const auto it = std::find_if(places.begin(), places.end(),
                                 [&](const FunctionPlace& place) { return place.offset == groupOffset; });
    return it == places.end() ? nullptr : &*it;
}

void resetRemoteEntry(std::span<uint8_t> mainArea, std::size_t entryOffset)
{
    mainArea[entryOffset] = 0xFF;     // no activation code
    mainArea[entryOffset + 1] = 0xFF; // no deactivation code
    mainArea[entryOffset + 2] = 0x00; // type: none
}

bool setFunctionSlot(std::span<uint8_t> mainArea, std::size_t groupOffset, int slot, uint16_t code)
{
    const FunctionPlace* place = functionPlaceAt(groupOffset);
    if (!place || slot < 0 || slot >= static_cast<int>(F::kSlotsPerGroup))
        return false;
    const uint16_t firstBefore = getU16(mainArea, groupOffset);
    bool changed = false;
    for (std::size_t s = static_cast<std::size_t>(slot); s < F::kSlotsPerGroup; ++s) {
        const bool target = s == static_cast<std::size_t>(slot);
        if (!target && code != kNoFunction)
            break;
        const std::size_t offset = slotOffset(groupOffset, s);
        if (getU16(mainArea, offset) != code) {
            setU16(mainArea, offset, code);
            changed = true;
        }
    }
    if (place->remoteEntry && getU16(mainArea, groupOffset) != firstBefore)
        resetRemoteEntry(mainArea, *place->remoteEntry);
    return changed;
}

bool removeFunctionCodes(std::span<uint8_t> mainArea, std::span<const uint16_t> codes)
{
    bool changed = false;
    for (const FunctionPlace& place : functionPlaces()) {
        for (std::size_t slot = 0; slot < F::kSlotsPerGroup; ++slot) {
            const uint16_t code = getU16(mainArea, slotOffset(place.offset, slot));
            if (code != kNoFunction && std::find(codes.begin(), codes.end(), code) != codes.end()) {
                changed =
                    setFunctionSlot(mainArea, place.offset, static_cast<int>(slot), kNoFunction) || changed;
                break; // the later slots are empty now
            }
        }
    }
    return changed;
}

bool removeChannelFunction(std::span<uint8_t> mainArea, int channelIndex)
{
    if (channelIndex < 0 || channelIndex >= F::kChannelSelectLast)
        return false;
    const uint16_t code = channelSelectCode(channelIndex);
    return removeFunctionCodes(mainArea, std::span<const uint16_t>(&code, 1));
}

} // namespace rps
