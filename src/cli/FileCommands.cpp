// new, info, export-raw, import-raw: data files without the desktop application.
#include "cli/CliCommand.h"
#include "document/DocumentFlows.h"
#include "document/FileFailureText.h"
#include "model/AtomicFile.h"
#include "model/ByteOrder.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"
#include "model/ModelTable.h"
#include "model/records/ChannelIndex.h"
#include "texts/TextArguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace rps::cli {

namespace {

constexpr std::size_t kRawImageSize = kMainSize + kAuxSize + kLocalSize; // 42,496
constexpr std::array<uint16_t, 7> kCliModelCodes{0x0400, 0x0402, 0x0403, 0x0600, 0x0700, 0x0702, 0x0703};

// The command line has no installation of its own: the identifier field stays empty.
InstallationId cliInstallationId()
{
    InstallationId id;
    id.fill(0xFF);
    return id;
}

std::string fileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

int failLaterFormat(const CliContext& context)
{
    return context.failText(823, "This data file was made by a newer version of the software.");
}

int save(const CliContext& context, const std::string& path, ConfigImage& image, bool plain)
{
    DataFileSettings settings;
    settings.encryptMode = !plain;
    const std::string out = outputPath(path);
    const SaveResult result = saveImage(out, image, saveOptionsFor(settings, cliInstallationId()));
    if (result.code != kSaveOk)
        return failSave(context, "The data file", out, result.systemError);
    return kExitOk;
}

// Loads a data file and leaves the image as Open does. Returns kExitOk or the failure code.
int openDataFile(const CliContext& context, const std::string& path, ConfigImage& image)
{
    const LoadResult result = loadImage(path, image);
    if (result.code != kLoadOk)
        return failLoad(context, result, path);
    FrequencyLimits limits;
    if (!acceptStagedImage(image, ImageSource::File, cliInstallationId(), limits).accepted)
        return failLaterFormat(context);
    return kExitOk;
}

bool parseModelCode(const std::string& text, uint16_t& code)
{
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X"))
        digits.remove_prefix(2);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, 16);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return false;
    return std::find(kCliModelCodes.begin(), kCliModelCodes.end(), code) != kCliModelCodes.end();
}

// The first `limit` bytes of a file, or all of a shorter one; nothing when it cannot be opened
// or a read fails (a folder, a device error), with the system's reason in `error`. Whatever the
// input, no more than `limit` is read.
std::optional<std::vector<uint8_t>> readAtMost(const std::string& path, std::size_t limit, int& error)
{
    error = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(limit);
    std::size_t count = 0;
    bool failed = false;
    while (count < limit && !failed) {
        const ssize_t n = ::read(fd, bytes.data() + count, limit - count);
        if (n == 0)
            break;
        if (n > 0)
            count += static_cast<std::size_t>(n);
        else if (errno != EINTR) {
            failed = true;
            error = errno;
        }
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    bytes.resize(count);
    return bytes;
}

std::string printable(std::span<const uint8_t> bytes)
{
    std::string text;
    for (uint8_t b : bytes) {
        if (b == 0x00)
            break;
        text.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.');
    }
    return text;
}

int runNew(CliContext& context, const CommandLine& options)
{
    constexpr std::string_view kUsage = "new --model-code CODE [--plain] -o OUT.dat";
    if (!options.positional().empty() || options.value("-o").empty())
        return context.usage(kUsage);
    if (!options.has("--model-code"))
        return context.usage(kUsage);
    uint16_t code = 0;
    if (!parseModelCode(options.value("--model-code"), code)) {
        context.err << "unknown model code \"" << options.value("--model-code")
                    << "\" (0x0400 0x0402 0x0403 0x0600 0x0700 0x0702 0x0703)\n";
        return kExitUsage;
    }
    auto image = std::make_unique<ConfigImage>();
    writeModelBlock(image->main(), ModelBlock::fromModelCode(code));
    newImage(*image, cliInstallationId());
    return save(context, options.value("-o"), *image, options.has("--plain"));
}

int runInfo(CliContext& context, const CommandLine& options)
{
    if (options.positional().size() != 1)
        return context.usage("info FILE.dat");
    const std::string& path = options.positional()[0];
    auto image = std::make_unique<ConfigImage>();
    const LoadResult result = loadImage(path, *image);
    if (result.code != kLoadOk)
        return failLoad(context, result, path);
    // The checksum as the file holds it, before any repair touches the image.
    const std::span<const uint8_t> stored(image->snapshot().main);
    const uint16_t storedSum = getU16(stored, kChecksumOffset);
    const uint16_t computedSum = checksumOf(stored);
    FrequencyLimits limits;
    if (!acceptStagedImage(*image, ImageSource::File, cliInstallationId(), limits).accepted)
        return failLaterFormat(context);

    const auto main = std::as_const(*image).main();
    const ModelBlock block = readModelBlock(main);
    char sums[64];
    std::snprintf(sums, sizeof sums, "stored 0x%04X, computed 0x%04X%s", storedSum, computedSum,
                  storedSum == computedSum ? "" : " (differs)");
    char code[8];
    std::snprintf(code, sizeof code, "0x%04X", block.modelCode());
    context.out << "Model:       " << modelDescription(findModelRow(block), findBandRow(block.modelCode()))
                << '\n'
                << "Model code:  " << code << '\n'
                << "Version:     " << printable(main.subspan(kDataVersionOffset, 5)) << ", format "
                << printable(main.subspan(kDataFormatOffset, 3)) << '\n'
                << "Checksum:    " << sums << '\n'
                << "Channels:    " << trustedChannelCount(main) << '\n'
                << "Message 1:   " << printable(main.subspan(kEmbeddedMessageOffset, 32)) << '\n'
                << "Message 2:   " << printable(main.subspan(kEmbeddedMessageOffset + 32, 32)) << '\n';
    return kExitOk;
}

int runExportRaw(CliContext& context, const CommandLine& options)
{
    if (options.positional().size() != 2)
        return context.usage("export-raw FILE.dat OUT.bin");
    auto image = std::make_unique<ConfigImage>();
    if (const int status = openDataFile(context, options.positional()[0], *image); status != kExitOk)
        return status;
    const std::string out = outputPath(options.positional()[1]);
    AtomicFileWriter file(out);
    const ConfigImage& loaded = *image;
    if (!file.open() || !file.write(loaded.main()) || !file.write(loaded.aux()) ||
        !file.write(loaded.local()) || !file.commit())
        return failSave(context, "The raw image", out, file.systemError());
    return kExitOk;
}

int runImportRaw(CliContext& context, const CommandLine& options)
{
    constexpr std::string_view kUsage = "import-raw IN.bin [--plain] -o OUT.dat";
    if (options.positional().size() != 1 || options.value("-o").empty())
        return context.usage(kUsage);
    // One byte more than an image tells a longer input from an image without reading it all.
    int error = 0;
    const std::optional<std::vector<uint8_t>> raw =
        readAtMost(options.positional()[0], kRawImageSize + 1, error);
    if (!raw || raw->size() != kRawImageSize)
        return context.fail(withFileFailure(context.text(771, "The file cannot be read."),
                                            context.languageTable(), options.positional()[0], error,
                                            raw && raw->size() < kRawImageSize));

    auto image = std::make_unique<ConfigImage>();
    ImageAreas& areas = image->working();
    auto next = raw->begin();
    for (std::span<uint8_t> area :
         {std::span<uint8_t>(areas.main), std::span<uint8_t>(areas.aux), std::span<uint8_t>(areas.local)}) {
        std::copy_n(next, area.size(), area.begin());
        next += static_cast<std::ptrdiff_t>(area.size());
    }
    // The file made here must be one that Open takes.
    if (const int refused = checkModelForOpen(readModelBlock(areas.main)); refused != kLoadOk)
        return failLoad(context, LoadResult{refused, {}}, options.positional()[0]);
    if (!isKnownDataFormat(areas.main[kDataFormatOffset]))
        return failLaterFormat(context);
    return save(context, options.value("-o"), *image, options.has("--plain"));
}

constexpr CliOption kNewOptions[] = {
    {"--model-code", "CODE", "the model: 0x0400 0x0402 0x0403 (VHF), 0x0600 0x0700 0x0702 0x0703 (UHF)",
     true},
    {"--plain", "", "save with \"Encrypt Mode\" off (key byte 0)"},
    {"-o", "OUT.dat", "the data file to write (- for standard output)", true},
};
constexpr CliOption kImportOptions[] = {
    {"--plain", "", "save with \"Encrypt Mode\" off (key byte 0)"},
    {"-o", "OUT.dat", "the data file to write (- for standard output)", true},
};
constexpr CliPositional kInfoPositionals[] = {{"FILE", "the data file (FILE.dat)"}};
constexpr CliPositional kExportPositionals[] = {
    {"FILE", "the data file (FILE.dat)"},
    {"OUT", "the raw image to write (OUT.bin, - for standard output)"},
};
constexpr CliPositional kImportPositionals[] = {{"IN", "the raw image (IN.bin)"}};

constexpr std::array<CliCommand, 4> kFileCommands{{
    {"new",
     "new --model-code CODE [--plain] -o OUT.dat",
     "Creates a data file with the defaults of a model, as New does.",
     kNewOptions,
     {},
     runNew},
    {"info",
     "info FILE.dat",
     "Prints a data file's model, version, checksum, channel count and messages.",
     {},
     kInfoPositionals,
     runInfo},
    {"export-raw",
     "export-raw FILE.dat OUT.bin",
     "Writes the 42,496-byte image of a data file (main, auxiliary, local) as Open leaves it.",
     {},
     kExportPositionals,
     runExportRaw},
    {"import-raw", "import-raw IN.bin [--plain] -o OUT.dat",
     "Saves a raw 42,496-byte image as a data file, as Save does, if Open would take it.", kImportOptions,
     kImportPositionals, runImportRaw},
}};

} // namespace

int failLoad(const CliContext& context, const LoadResult& result, const std::string& path)
{
    const int number = loadMessageText(result.code);
    // Which file, and the system's reason where there is one, on a line of its own.
    std::string where = "\n";
    where +=
        fileFailureLine(context.languageTable(), path, result.systemError, result.code == kLoadCannotRead);
    switch (result.code) {
    case kLoadOtherProgram:
        return context.fail(
            fillTextArguments(context.text(number, "%s\n\nThis file belongs to another program (%s)."),
                              {fileNameOf(path), result.otherProgram}) +
            where);
    case kLoadNotDataFile:
        return context.fail(
            fillTextArguments(context.text(number, "%s\n\nThis is not a data file of this program."),
                              {fileNameOf(path)}) +
            where);
    case kLoadReservedBytes:
        return context.failText(number, "The model information in this file is damaged.");
    case kLoadModelRefused:
    case kLoadBadMarker:
        return context.failText(number, "The file is not a valid data file, or its model is not supported.");
    default:
        return context.fail(context.text(number, "The file cannot be read.") + where);
    }
}

std::span<const CliCommand> fileCommands()
{
    return kFileCommands;
}

} // namespace rps::cli
