#include "model/DataFile.h"

#include "model/AtomicFile.h"
#include "model/DataFileFormat.h"
#include "model/ImageChecks.h"
#include "model/ModelTable.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace rps {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool readExactly(std::FILE* file, std::span<uint8_t> into)
{
    return std::fread(into.data(), 1, into.size(), file) == into.size();
}

bool beginsWithFamilyPrefix(std::span<const uint8_t> header)
{
    return header[0] == 'R' && header[1] == 'P' && header[2] == 'S';
}

// Header checks shared by Open and the preview; kLoadOk when the file is ours.
LoadResult checkHeader(const DataFileHeader& header)
{
    if (!std::equal(kDataFileTag.begin(), kDataFileTag.end(), header.begin())) {
        if (beginsWithFamilyPrefix(header))
            return {kLoadOtherProgram, tagProgramName(header)};
        return {kLoadNotDataFile, {}};
    }
    if (header[kDataFileMarkerOffset] != kDataFileMarker)
        return {kLoadBadMarker, {}};
    const ModelBlock block(std::span<const uint8_t>(header).subspan(kDataFileModelOffset, kModelBlockSize));
    return {checkModelForOpen(block), {}};
}

bool hasDataExtension(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "dat";
}

std::string messageLine(std::span<const uint8_t> bytes)
{
    std::string line;
    for (uint8_t b : bytes.first(32)) {
        if (b == 0x00)
            break;
        line.push_back(static_cast<char>(b));
    }
    return line;
}

} // namespace

int checkModelForOpen(const ModelBlock& block)
{
    // Tested before the acceptance, which also refuses these bytes, so the user learns why.
    if (!block.reservedBytesEmpty())
        return kLoadReservedBytes;
    if (!isAcceptedForOpen(block))
        return kLoadModelRefused;
    return kLoadOk;
}

SaveResult saveImage(const std::string& path, ConfigImage& image, const SaveOptions& options)
{
    AtomicFileWriter file(path);
    if (!file.open())
        return {kSaveCannotCreate, file.systemError()};

    std::span<uint8_t> main = image.main();
    std::optional<std::string_view> password;
    if (options.password)
        password = *options.password;
    const DataFileHeader header = buildDataFileHeader(readModelBlock(main), password);

    stampVersion(main, options.installationId);
    computeChecksum(main);
    const uint8_t key = chooseDataFileKey(options.encryptMode);

    // The whole file is assembled in its own buffer: no copy of the image is used as scratch.
    std::vector<uint8_t> bytes(kDataFileSize);
    std::copy(header.begin(), header.end(), bytes.begin());
    std::copy_n(main.begin(), kMainBeforeKey, bytes.begin() + kDataFileHeaderSize);
    bytes[kDataFileKeyOffset] = key;
    std::copy(main.begin() + kMainBeforeKey, main.end(), bytes.begin() + kDataFileKeyOffset + 1);
    std::copy(image.aux().begin(), image.aux().end(), bytes.begin() + kDataFileAuxOffset);
    std::copy(image.local().begin(), image.local().end(), bytes.begin() + kDataFileLocalOffset);
    std::span<uint8_t> areas(bytes);
    xorBytes(areas.subspan(kDataFileHeaderSize, kMainBeforeKey), key);
    xorBytes(areas.subspan(kDataFileKeyOffset + 1), key);

    if (!file.write(bytes) || !file.commit())
        return {kSaveWriteFailed, file.systemError()};
    return {};
}

LoadResult loadImage(const std::string& path, ConfigImage& image)
{
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {kLoadCannotRead, {}, errno};
    // A read error (a folder, a device that fails) tells its reason; a short file has none.
    const auto cannotRead = [&file] {
        return LoadResult{kLoadCannotRead, {}, std::ferror(file.get()) ? errno : 0};
    };
    DataFileHeader header;
    const std::size_t got = std::fread(header.data(), 1, header.size(), file.get());
    if (got < header.size()) {
        // A short file that does not even begin as a data file does is not one.
        const auto compared = static_cast<std::ptrdiff_t>(std::min(got, kDataFileTag.size()));
        if (!std::ferror(file.get()) && got > 0 &&
            !std::equal(header.begin(), header.begin() + compared, kDataFileTag.begin()))
            return {kLoadNotDataFile, {}};
        return cannotRead();
    }
    LoadResult result = checkHeader(header);
    if (result.code != kLoadOk)
        return result;

    // Staged outside the image so that a short file leaves even the snapshot untouched.
    auto staged = std::make_unique<ImageAreas>();
    uint8_t key = 0;
    std::span<uint8_t> main(staged->main);
    if (!readExactly(file.get(), main.first(kMainBeforeKey)) || !readExactly(file.get(), {&key, 1}) ||
        !readExactly(file.get(), main.subspan(kMainBeforeKey)) || !readExactly(file.get(), staged->aux))
        return cannotRead();
    xorBytes(main, key);
    // The image keeps its own copy of the model block, and that copy is the model the program
    // works with from now on: a header that names an accepted model must not carry in an
    // image of a model that Open refuses.
    if (!isAcceptedForOpen(readModelBlock(main)))
        return {kLoadModelRefused, {}};
    xorBytes(staged->aux, key);
    // Files written before the local block existed end here; their local block is empty.
    if (readExactly(file.get(), staged->local))
        xorBytes(staged->local, key);
    else
        staged->local.fill(0xFF);

    image.snapshot() = *staged;
    return {};
}

int loadMessageText(int loadCode)
{
    switch (loadCode) {
    case kLoadOk:
        return 0;
    case kLoadOtherProgram:
        return 794;
    case kLoadModelRefused:
    case kLoadBadMarker:
        return 784;
    case kLoadReservedBytes:
        return 818;
    case kLoadNotDataFile:
        return 795;
    default:
        return 771;
    }
}

FilePreview readPreview(const std::string& path)
{
    FilePreview preview;
    if (!hasDataExtension(path))
        return preview;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return preview;
    DataFileHeader header;
    if (!readExactly(file.get(), header) || checkHeader(header).code != kLoadOk)
        return preview;

    uint8_t key = 0;
    std::array<uint8_t, 64> message{};
    if (std::fseek(file.get(), static_cast<long>(kDataFileKeyOffset), SEEK_SET) != 0 ||
        !readExactly(file.get(), {&key, 1}) ||
        std::fseek(file.get(), static_cast<long>(dataFileOffsetOfMain(kEmbeddedMessageOffset)), SEEK_SET) !=
            0 ||
        !readExactly(file.get(), message))
        return preview;
    xorBytes(message, key);

    const ModelBlock block(std::span<const uint8_t>(header).subspan(kDataFileModelOffset, kModelBlockSize));
    preview.available = true;
    preview.messageLine1 = messageLine(std::span<const uint8_t>(message).first(32));
    preview.messageLine2 = messageLine(std::span<const uint8_t>(message).subspan(32));
    preview.modelName = displayName(findModelRow(block));
    preview.bandLabel = kBandRows[static_cast<std::size_t>(findBandRow(block.modelCode()))].label;
    preview.version.assign(header.begin() + kDataFileVersionOffset,
                           header.begin() + kDataFileVersionOffset + 5);
    return preview;
}

} // namespace rps
