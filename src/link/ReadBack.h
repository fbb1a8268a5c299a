#pragma once
// The comparison after a write: what the repeater holds, read back with the read's own
// frames, against the bytes the write sent (after its version and checksum stamps).
#include "texts/LanguageTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace rps {

// Names the field that holds a byte: aux = false for the main area, true for the auxiliary
// block; an empty text when no field holds it.
using FieldNameLookup = std::function<std::string(bool aux, std::size_t offset)>;

// One 256-byte block (main area) or window (auxiliary block) that came back different.
struct ReadBackBlock {
    bool aux = false;
    std::size_t block = 0;
    std::vector<std::size_t> offsets; // offsets into the area of every differing byte
    bool operator==(const ReadBackBlock&) const = default;
};

// The differing blocks in the order they were sent, main area first.
std::vector<ReadBackBlock> readBackDifferences(std::span<const uint8_t> sentMain,
                                               std::span<const uint8_t> readMain,
                                               std::span<const uint8_t> sentAux,
                                               std::span<const uint8_t> readAux);

// The report: the heading (a language text), then per block its place and its first
// differing bytes with the field each belongs to.
std::string readBackReport(const LanguageTable& texts, int heading, const std::vector<ReadBackBlock>& blocks,
                           std::span<const uint8_t> sentMain, std::span<const uint8_t> readMain,
                           std::span<const uint8_t> sentAux, std::span<const uint8_t> readAux,
                           const FieldNameLookup& fieldName);

} // namespace rps
