#pragma once
// The simulated repeater's memories: the 40,960-byte block space that block reads and writes
// reach, and the 64 KiB memory space of memory reads and writes (auxiliary block at 0x0000,
// trace data at 0xF800, tuning block at 0xF8F8, protected message and its password at
// 0xFD00/0xFD40).
#include "model/ConfigImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rps::sim {

inline constexpr std::size_t kBlockSpaceSize = kMainSize;
inline constexpr std::size_t kMemorySpaceSize = 0x10000;
inline constexpr uint16_t kAuxAddress = 0x0000;
inline constexpr std::size_t kAuxWrittenSize = 1024;
inline constexpr uint16_t kTraceAddress = 0xF800;
inline constexpr std::size_t kTraceSize = 192;
inline constexpr uint16_t kTuningAddress = 0xF8F8;
inline constexpr std::size_t kTuningSize = 776;
inline constexpr uint16_t kProtectedMessageAddress = 0xFD00;
inline constexpr uint16_t kMessagePasswordAddress = 0xFD40;
inline constexpr std::size_t kRawImageSize = kMainSize + kAuxSize + kLocalSize; // 42,496

struct SimMemory {
    std::vector<uint8_t> blocks = std::vector<uint8_t>(kBlockSpaceSize, 0xFF);
    std::vector<uint8_t> memory = std::vector<uint8_t>(kMemorySpaceSize, 0xFF);

    // Puts an image where the repeater keeps its parts.
    void loadAreas(const ImageAreas& areas);
    // What a full read of this repeater would bring back (local bytes 192..255 stay 0xFF).
    ImageAreas toAreas() const;
};

// A repeater freshly programmed with the defaults of a model code (as New builds them).
SimMemory defaultMemory(uint16_t modelCode);
struct MemoryFromFile {
    std::optional<SimMemory> memory;
    std::string reason; // without a memory: why the file cannot be used
};

// A data file (.dat) or a raw image of 42,496 bytes; the reason when the file is missing or
// unreadable, a data file cut short, or neither.
MemoryFromFile memoryFromFile(const std::string& path);

} // namespace rps::sim
