#pragma once
// What the "Tuning Data" dialog holds and does, without its widgets: the working block, the
// unit record it came from, the file name, and Read, Write, Open and Save over them.
//
// A read fills a staging block and replaces the working block only when it completed; a write
// never changes the working block or the file name. Write and Save are offered only once a
// complete block came from a repeater or a file, so a zeroed block cannot be written over a
// unit's alignment.
#include "link/Transfers.h"
#include "service/tuning/TuningFile.h"

#include <string>

namespace rps {

inline constexpr std::string_view kDefaultTuningFileName = "rps360t.tun";

class TuningDataState {
public:
    explicit TuningDataState(std::string folder) : folder_(std::move(folder)) {}

    TuningBlockBytes& block() { return data_.block; }
    const TuningData& data() const { return data_; }
    const std::string& fileName() const { return fileName_; }
    // A complete block came from a repeater or a file: the unit line is shown, Write and
    // Save are offered.
    bool hasBlock() const { return hasBlock_; }

    // The link transfers; their result codes (0 = done).
    int read(TransferContext& context);
    int write(TransferContext& context);

    // A chosen file; the refusal leaves everything as it was.
    TuningLoadResult open(const std::string& path);
    // 0 or the system's errno; the file name becomes path on success.
    int save(const std::string& path);
    // Where Save writes and Save As proposes: the file name, else the default in the folder.
    std::string savePath() const;

private:
    std::string folder_;
    TuningData data_;
    std::string fileName_;
    bool hasBlock_ = false;
};

} // namespace rps
