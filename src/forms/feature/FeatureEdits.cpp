#include "forms/feature/FeatureEdits.h"

#include "forms/feature/FunctionGroups.h"
#include "forms/feature/RemoteControlResets.h"
#include "model/FeatureMap.h"
#include "model/records/FunctionCodePlaces.h"

#include <utility>

namespace rps::feature {

namespace {

std::size_t groupOf(std::size_t table, int number)
{
    return table + kGroupStride * static_cast<std::size_t>(number - 1);
}

bool setSlot(std::span<uint8_t> main, std::size_t table, int number, int count, int slot, uint16_t code)
{
    if (number < 1 || number > count)
        return false;
    return setFunctionSlot(main, groupOf(table, number), slot - 1, code);
}

bool setOutput(std::span<uint8_t> main, std::size_t table, const RemoteRun& run, int number, uint8_t function)
{
    if (number < 1 || number > run.count)
        return false;
    uint8_t& stored = main[groupOf(table, number)];
    if (stored == function)
        return false;
    stored = function;
    const auto entry = remoteEntryOffset(run, number);
    if (entry)
        resetRemoteEntry(main, *entry);
    return true;
}

} // namespace

bool setKeyFunction(std::span<uint8_t> mainArea, int key, uint16_t code)
{
    return setSlot(mainArea, kKeyFunctions, key, kKeyCount, 1, code);
}

bool setFixedInputFunction(std::span<uint8_t> mainArea, int input, int slot, uint16_t code)
{
    return setSlot(mainArea, kFixedInputFunctions, input, kFixedInputCount, slot, code);
}

bool setPortInputFunction(std::span<uint8_t> mainArea, int port, int slot, uint16_t code)
{
    return setSlot(mainArea, kPortInputFunctions, port, kPortCount, slot, code);
}

bool setFixedOutputFunction(std::span<uint8_t> mainArea, int row, uint8_t function)
{
    return setOutput(mainArea, kFixedOutputs, kRemoteFixedOutputRun, row, function);
}

bool setPortOutputFunction(std::span<uint8_t> mainArea, int port, uint8_t function)
{
    return setOutput(mainArea, kPortOutputs, kRemotePortOutputRun, port, function);
}

bool applyTimerValue(std::span<uint8_t> mainArea, int timer)
{
    if (timer < 1 || timer > kTimerCount || mainArea[kTimerValues + static_cast<std::size_t>(timer - 1)] != 0)
        return false;
    return setFunctionSlot(mainArea, groupOf(kTimerFunctions, timer), 0, kNoFunction);
}

bool applyRepeatHoldTimer(std::span<uint8_t> mainArea)
{
    return mainArea[kRepeatHoldTimer] == 0 && removeFunctionGroup(mainArea, kGroupRepeatHold);
}

bool applyVotingPilotTone(std::span<uint8_t> mainArea)
{
    return mainArea[kVotingPilotTone] == 0xFF && removeFunctionGroup(mainArea, kGroupVotingPilot);
}

std::optional<int> movePttPriority(std::span<uint8_t> mainArea, int entry, int step)
{
    if (entry < 0 || entry >= kPttPriorityCount || (step != -1 && step != 1))
        return std::nullopt;
    const int target = entry + step;
    if (target < 0 || target >= kPttPriorityCount)
        return std::nullopt;
    std::swap(mainArea[kPttPriority + static_cast<std::size_t>(entry)],
              mainArea[kPttPriority + static_cast<std::size_t>(target)]);
    return target;
}

} // namespace rps::feature
