#include "service/tuning/TuningFile.h"

#include "model/AtomicFile.h"
#include "model/DataFileFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace rps {

namespace {

constexpr std::string_view kProgramVersion = "V1.00";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A tag of another program of the family names the product prefix somewhere in it.
bool namesFamily(std::span<const uint8_t> tag)
{
    const std::string name(tag.begin(), tag.begin() + kDataFileTagLength);
    return name.find("RPS") != std::string::npos;
}

} // namespace

TuningLoadResult loadTuningBytes(std::span<const uint8_t> bytes, TuningData& into)
{
    if (bytes.size() < kTuningFileHeaderSize)
        return {kTuningCannotRead, {}, 0};
    if (!std::equal(kDataFileTag.begin(), kDataFileTag.end(), bytes.begin())) {
        if (namesFamily(bytes))
            return {kTuningOtherProgram, tagProgramName(bytes), 0};
        return {kTuningNotOurs, {}, 0};
    }
    if (bytes[kTuningFileTypeOffset] != kTuningFileType)
        return {kTuningWrongType, {}, 0};
    if (bytes.size() != kTuningFileSize)
        return {kTuningCannotRead, {}, 0};
    std::copy_n(bytes.begin() + kTuningFileUnitOffset, kUnitRecordSize, into.unit.begin());
    std::copy_n(bytes.begin() + kTuningFileHeaderSize, kTuningBlockSize, into.block.begin());
    return {};
}

TuningLoadResult loadTuningFile(const std::string& path, TuningData& into)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {kTuningCannotRead, {}, errno};
    // One byte more than a file holds tells a long file from a whole one.
    std::vector<uint8_t> bytes(kTuningFileSize + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get()))
        return {kTuningCannotRead, {}, errno ? errno : EIO};
    bytes.resize(got);
    return loadTuningBytes(bytes, into);
}

std::array<uint8_t, kTuningFileSize> tuningFileBytes(const TuningData& data)
{
    std::array<uint8_t, kTuningFileSize> bytes;
    bytes.fill(0xFF);
    std::copy(kDataFileTag.begin(), kDataFileTag.end(), bytes.begin());
    std::copy(kProgramVersion.begin(), kProgramVersion.end(), bytes.begin() + kDataFileVersionOffset);
    bytes[kTuningFileTypeOffset] = kTuningFileType;
    std::copy(data.unit.begin(), data.unit.end(), bytes.begin() + kTuningFileUnitOffset);
    std::copy(data.block.begin(), data.block.end(), bytes.begin() + kTuningFileHeaderSize);
    return bytes;
}

int saveTuningFile(const std::string& path, const TuningData& data)
{
    AtomicFileWriter file(path);
    const auto bytes = tuningFileBytes(data);
    if (!file.open() || !file.write(bytes) || !file.commit())
        return file.systemError() ? file.systemError() : EIO;
    return 0;
}

} // namespace rps
