// Hostile tuning data files: loading must never crash or read out of bounds, a refused file
// leaves the dialog's data untouched, and every value of a loaded block shows through the
// field engine.
#include "service/tuning/TuningBlockTable.h"
#include "service/tuning/TuningFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& inputPath()
{
    static const std::string path = "/tmp/fuzz_tuning_file." + std::to_string(::getpid()) + ".tun";
    return path;
}

bool writeInput(const uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

rps::TuningData marked()
{
    rps::TuningData data;
    data.unit.fill(0xA5);
    data.block.fill(0x5A);
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (!writeInput(data, size))
        return 0;
    rps::TuningData loaded = marked();
    const rps::TuningLoadResult result = rps::loadTuningFile(inputPath(), loaded);
    if (result.message != 0) {
        const rps::TuningData untouched = marked();
        if (loaded.block != untouched.block || loaded.unit != untouched.unit)
            std::abort();
        return 0;
    }
    // Only a whole file loads, and what it loaded is its unit record and block unchanged.
    if (size != rps::kTuningFileSize ||
        !std::equal(loaded.unit.begin(), loaded.unit.end(), data + rps::kTuningFileUnitOffset) ||
        !std::equal(loaded.block.begin(), loaded.block.end(), data + rps::kTuningFileHeaderSize))
        std::abort();
    rps::fields::FieldEnv env{[](int n) { return std::to_string(n); }, {}, '.'};
    const auto session = rps::openTuningBlock(loaded.block, env);
    for (const rps::fields::FieldRow& row : rps::tuningBlockFields()) {
        const std::string shown = session->engine().shown(row, 0);
        session->engine().commitText(row, 0, shown);
    }
    return 0;
}
