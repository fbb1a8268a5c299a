#include "forms/signalling/CodeReferences.h"

#include "model/FeatureMap.h"

namespace rps::signalling {

namespace {

using namespace rps::feature;

// Entries of three bytes (activation code, deactivation code, type): the codes are bytes 0 and 1.
struct EntryRun {
    std::size_t start;
    int entries;
};
constexpr EntryRun kEntryRuns[] = {
    {kRemoteKeys, 6},         {kRemoteFixedInputs, 3}, {kRemotePortInputs, 6},
    {kRemoteFixedOutputs, 5}, {kRemotePortOutputs, 6},
};
// The transponder activation and deactivation codes of the PF keys and of the AUX inputs.
constexpr std::size_t kSingleCodes[] = {0x06A2, 0x06A3, 0x06F4, 0x06F5};

bool clearIfEqual(std::span<uint8_t> main, std::size_t offset, uint8_t code)
{
    if (offset >= main.size() || main[offset] != code)
        return false;
    main[offset] = kNoCode;
    return true;
}

} // namespace

bool removeCodeReferences(std::span<uint8_t> mainArea, uint8_t code)
{
    if (code == kNoCode)
        return false;
    bool removed = false;
    for (const EntryRun& run : kEntryRuns) {
        for (int entry = 0; entry < run.entries; ++entry) {
            const std::size_t at = run.start + kRemoteEntrySize * static_cast<std::size_t>(entry);
            removed |= clearIfEqual(mainArea, at, code);
            removed |= clearIfEqual(mainArea, at + 1, code);
        }
    }
    for (std::size_t at : kSingleCodes)
        removed |= clearIfEqual(mainArea, at, code);
    return removed;
}

} // namespace rps::signalling
