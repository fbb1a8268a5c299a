#pragma once
// The tuning data file (.tun, 872 bytes): a 96-byte header (the product tag of the data files,
// the program version, the file type 'T' and the unit record the block came from), then the
// 776-byte tuning block.
#include "link/TuningTransfer.h"

#include <string>

namespace rps {

inline constexpr std::size_t kTuningFileHeaderSize = 96;
inline constexpr std::size_t kTuningFileSize = kTuningFileHeaderSize + kTuningBlockSize; // 872
inline constexpr std::size_t kTuningFileTypeOffset = 32;
inline constexpr uint8_t kTuningFileType = 'T';
inline constexpr std::size_t kTuningFileUnitOffset = 64;

struct TuningData {
    UnitRecord unit{};
    TuningBlockBytes block{};
};

// The language texts of a refused file.
inline constexpr int kTuningCannotRead = 771;
inline constexpr int kTuningWrongType = 784;
inline constexpr int kTuningOtherProgram = 794; // with the file name and the program found
inline constexpr int kTuningNotOurs = 795;      // with the file name

struct TuningLoadResult {
    int message = 0;          // 0 = loaded, else the language text that refuses the file
    std::string otherProgram; // with kTuningOtherProgram
    int systemError = 0;      // with kTuningCannotRead: errno, 0 when the size was wrong
};

// Reads a file into `into`; on a refusal `into` is left exactly as it was.
TuningLoadResult loadTuningFile(const std::string& path, TuningData& into);
TuningLoadResult loadTuningBytes(std::span<const uint8_t> bytes, TuningData& into);

// The 872 bytes of a file.
std::array<uint8_t, kTuningFileSize> tuningFileBytes(const TuningData& data);

// Replaces the file as a whole (a failure leaves the previous file); 0 or the system's errno.
int saveTuningFile(const std::string& path, const TuningData& data);

} // namespace rps
