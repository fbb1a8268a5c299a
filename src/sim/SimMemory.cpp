#include "sim/SimMemory.h"

#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"
#include "sim/SimTuningBlock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace rps::sim {

void SimMemory::loadAreas(const ImageAreas& areas)
{
    std::copy(areas.main.begin(), areas.main.end(), blocks.begin());
    std::copy_n(areas.aux.begin(), kAuxWrittenSize, memory.begin() + kAuxAddress);
    std::copy(areas.aux.begin() + kAuxWrittenSize, areas.aux.end(),
              memory.begin() + kProtectedMessageAddress);
    std::copy_n(areas.local.begin(), kTraceSize, memory.begin() + kTraceAddress);
}

ImageAreas SimMemory::toAreas() const
{
    ImageAreas areas;
    areas.fill(0xFF);
    std::copy(blocks.begin(), blocks.end(), areas.main.begin());
    std::copy_n(memory.begin() + kAuxAddress, kAuxWrittenSize, areas.aux.begin());
    std::copy_n(memory.begin() + kProtectedMessageAddress, kAuxSize - kAuxWrittenSize,
                areas.aux.begin() + kAuxWrittenSize);
    std::copy_n(memory.begin() + kTraceAddress, kTraceSize, areas.local.begin());
    return areas;
}

namespace {

std::string notDataFile()
{
    return "not a data file, nor a raw image of " + std::to_string(kRawImageSize) + " bytes";
}

// Trace and tuning memories of a unit that has been in service: recognisable, not erased.
void fillServiceMemories(SimMemory& memory)
{
    for (std::size_t i = 0; i < kTraceSize; ++i)
        memory.memory[kTraceAddress + i] = static_cast<uint8_t>(i * 7 + 3);
    fillAlignedTuningBlock(std::span<uint8_t>(memory.memory).subspan(kTuningAddress, kTuningSize));
}

} // namespace

SimMemory defaultMemory(uint16_t modelCode)
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    InstallationId none;
    none.fill(0xFF);
    newImage(image, none);
    SimMemory memory;
    memory.loadAreas(image.working());
    fillServiceMemories(memory);
    return memory;
}

namespace {

std::string reasonOf(const LoadResult& loaded, std::size_t size)
{
    switch (loaded.code) {
    case kLoadCannotRead:
        if (loaded.systemError != 0)
            return std::strerror(loaded.systemError);
        return "the data file ends after " + std::to_string(size) + " bytes, before all of its data";
    case kLoadOtherProgram:
        return "a data file of another program (" + loaded.otherProgram + ")";
    case kLoadModelRefused:
    case kLoadReservedBytes:
        return "its model block is not one of a known model";
    default:
        return notDataFile();
    }
}

// The file's bytes, or the system's reason (a folder opens but cannot be read).
std::optional<std::vector<uint8_t>> readWhole(const std::string& path, std::string& reason)
{
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (in) {
        try {
            return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        } catch (const std::ios_base::failure&) {
        }
    }
    reason = std::strerror(errno != 0 ? errno : EIO);
    return std::nullopt;
}

} // namespace

MemoryFromFile memoryFromFile(const std::string& path)
{
    std::string reason;
    const std::optional<std::vector<uint8_t>> read = readWhole(path, reason);
    if (!read)
        return {std::nullopt, reason};
    const std::vector<uint8_t>& bytes = *read;
    SimMemory memory;
    fillServiceMemories(memory);
    if (bytes.size() == kRawImageSize) {
        ImageAreas areas;
        std::copy_n(bytes.begin(), kMainSize, areas.main.begin());
        std::copy_n(bytes.begin() + kMainSize, kAuxSize, areas.aux.begin());
        std::copy_n(bytes.begin() + kMainSize + kAuxSize, kLocalSize, areas.local.begin());
        memory.loadAreas(areas);
        return {memory, {}};
    }
    // What does not begin with a data file's tag is no data file, however long it is.
    const std::size_t tagged = std::min(bytes.size(), kDataFileTagLength);
    if (tagged == 0 ||
        !std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(tagged), kDataFileTag.begin()))
        return {std::nullopt, notDataFile()};
    ConfigImage image;
    const LoadResult loaded = loadImage(path, image);
    if (loaded.code != kLoadOk)
        return {std::nullopt, reasonOf(loaded, bytes.size())};
    memory.loadAreas(image.snapshot());
    return {memory, {}};
}

} // namespace rps::sim
