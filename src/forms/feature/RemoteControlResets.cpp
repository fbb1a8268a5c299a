#include "forms/feature/RemoteControlResets.h"

#include "model/records/FunctionCodePlaces.h"

namespace rps::feature {

namespace {

bool resetIn(std::span<uint8_t> main, const RemoteRun& run, int number)
{
    const auto offset = remoteEntryOffset(run, number);
    if (!offset)
        return false;
    resetRemoteEntry(main, *offset);
    return true;
}

} // namespace

std::optional<std::size_t> remoteEntryOffset(const RemoteRun& run, int number)
{
    if (number < 1 || number > run.count)
        return std::nullopt;
    return run.start + kRemoteEntrySize * static_cast<std::size_t>(number - 1);
}

bool resetKeyRemote(std::span<uint8_t> mainArea, int key)
{
    return resetIn(mainArea, kRemoteKeyRun, key);
}

bool resetFixedInputRemote(std::span<uint8_t> mainArea, int input)
{
    return resetIn(mainArea, kRemoteFixedInputRun, input);
}

bool resetFixedOutputRemote(std::span<uint8_t> mainArea, int row)
{
    return resetIn(mainArea, kRemoteFixedOutputRun, row);
}

bool resetPortOutputRemote(std::span<uint8_t> mainArea, int port)
{
    return resetIn(mainArea, kRemotePortOutputRun, port);
}

bool resetPortInputRemote(std::span<uint8_t> mainArea, int port)
{
    return resetIn(mainArea, kRemotePortInputRun, port);
}

bool resetPortRemote(std::span<uint8_t> mainArea, int port)
{
    return resetPortInputRemote(mainArea, port) && resetPortOutputRemote(mainArea, port);
}

void resetRemoteRun(std::span<uint8_t> mainArea, const RemoteRun& run)
{
    for (int number = 1; number <= run.count; ++number)
        resetIn(mainArea, run, number);
}

} // namespace rps::feature
