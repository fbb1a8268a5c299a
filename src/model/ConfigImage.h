#pragma once
// The configuration image: the application's copy of a repeater's configuration memory
// (main area, exchanged as 160 blocks), the auxiliary block and the local block that only
// the application keeps. Each area exists as working, snapshot and baseline copy:
//   baseline - the clean state (last Open, Save, New, model change or completed read)
//   snapshot - staging copy that Open and a read fill; it becomes the working copy only
//              after the load or read succeeded, so a failure leaves the working copy alone.
#include "model/ImageMap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace rps {

inline constexpr std::size_t kMainSize = 40960; // 0xA000
inline constexpr std::size_t kAuxSize = 1280;   // 0x500
inline constexpr std::size_t kLocalSize = 256;
inline constexpr std::size_t kBlockSize = 256;
inline constexpr std::size_t kMainBlocks = kMainSize / kBlockSize; // 160

using MainArea = std::array<uint8_t, kMainSize>;
using AuxArea = std::array<uint8_t, kAuxSize>;
using LocalArea = std::array<uint8_t, kLocalSize>;

// One full set of the three areas.
struct ImageAreas {
    MainArea main{};
    AuxArea aux{};
    LocalArea local{};

    void fill(uint8_t value);
    bool operator==(const ImageAreas&) const = default;
};

class ConfigImage {
public:
    ConfigImage();

    // Working copy: what the forms edit.
    std::span<uint8_t> main() { return working_.main; }
    std::span<uint8_t> aux() { return working_.aux; }
    std::span<uint8_t> local() { return working_.local; }
    std::span<const uint8_t> main() const { return working_.main; }
    std::span<const uint8_t> aux() const { return working_.aux; }
    std::span<const uint8_t> local() const { return working_.local; }
    ImageAreas& working() { return working_; }
    const ImageAreas& working() const { return working_; }

    // Snapshot copy: the staging area of Open and of a read from a repeater.
    ImageAreas& snapshot() { return snapshot_; }
    const ImageAreas& snapshot() const { return snapshot_; }
    const ImageAreas& baseline() const { return baseline_; }

    void markClean();       // working -> baseline
    void takeSnapshot();    // working -> snapshot
    void restoreSnapshot(); // snapshot -> working
    void clear();           // working := 0xFF everywhere, then take snapshot
    // True when the main area or the auxiliary block differs from the baseline. The
    // local block is not compared, and no copy is written by asking.
    bool isModified() const;

private:
    ImageAreas working_;
    ImageAreas snapshot_;
    ImageAreas baseline_;
};

} // namespace rps
