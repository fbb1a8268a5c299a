// verify and backup: a repeater read for comparison or for the backups folder, never written.
#include "cli/CliCommand.h"
#include "cli/Interruption.h"
#include "cli/LinkBackup.h"
#include "cli/TerminalTransfer.h"
#include "link/LinkTexts.h"
#include "link/Transfers.h"
#include "model/ImageChecks.h"
#include "texts/TextArguments.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kVerifyUsage = "verify --port DEVICE [--trace FILE] [--quiet] FILE.dat";
constexpr std::string_view kBackupUsage = "backup --port DEVICE [--dir DIR] [--trace FILE] [--quiet]";
constexpr int kDataDiffers = 508; // "The repeater's data differs from the data file."
constexpr int kDataEqual = 509;   // "The repeater holds the data of %s."
constexpr std::size_t kWrittenAux = 4 * kBlockSize;

// Reads the repeater on --port, traced with --trace, into the snapshot of image; an exit code.
// The progress line is ended when it returns.
int readRepeater(CliContext& cli, const CommandLine& options, ConfigImage& image, UnitRecord& unit)
{
    TerminalTransfer transfer(cli, options.value("--port"), false, TerminalDialogs::Answers{true, false},
                              std::nullopt, options.has("--quiet"));
    if (!startTrace(cli, options, transfer))
        return kExitFailure;
    image.clear();
    const int result = runReadTransfer(transfer.context, image, &unit);
    transfer.line.end(cli.err);
    if (interruptionRequested()) {
        cli.err << "The read was stopped.\n";
        return interruptionExitCode();
    }
    if (result != kLinkOk) {
        if (!transfer.dialogs.shownAnything())
            cli.failText(773, "The repeater does not answer.");
        return kExitFailure;
    }
    return kExitOk;
}

int runVerify(CliContext& cli, const CommandLine& options)
{
    if (options.positional().size() != 1 || options.value("--port").empty())
        return cli.usage(kVerifyUsage);
    const std::string path = options.positional().front();
    auto data = std::make_unique<ConfigImage>();
    data->clear();
    if (const int loaded = loadForWrite(cli, path, *data); loaded != kExitOk)
        return loaded;
    auto radio = std::make_unique<ConfigImage>();
    UnitRecord unit{};
    if (const int read = readRepeater(cli, options, *radio, unit); read != kExitOk)
        return read;

    // The file as a write would have sent it to this repeater: stamped with the installation that
    // wrote the repeater last, and its checksum.
    const ImageAreas& held = radio->snapshot();
    InstallationId installation{};
    std::copy_n(held.main.begin() + kInstallationIdOffset, installation.size(), installation.begin());
    stampVersion(data->main(), installation);
    computeChecksum(data->main());
    // The read takes the model block from the identification, whose option flags are the unit's
    // own password settings rather than the bytes written: those two bytes are not compared
    // (the checksum was taken over the bytes written).
    constexpr std::size_t kOptionFlags = kModelBlockOffset + 14;
    std::copy_n(held.main.begin() + kOptionFlags, 2, data->main().begin() + kOptionFlags);
    const std::span<const uint8_t> sentAux = data->aux().first(kWrittenAux);
    const std::span<const uint8_t> heldAux = std::span<const uint8_t>(held.aux).first(kWrittenAux);
    const std::vector<ReadBackBlock> blocks = readBackDifferences(data->main(), held.main, sentAux, heldAux);
    if (!blocks.empty()) {
        cli.err << readBackReport(cli.languageTable(), kDataDiffers, blocks, data->main(), held.main, sentAux,
                                  heldAux, cliFieldNames(cli, *data))
                << '\n';
        return kExitFailure;
    }
    if (!options.has("--quiet"))
        cli.err << fillTextArguments(cli.text(kDataEqual, "The repeater holds the data of %s."), {path})
                << '\n';
    return kExitOk;
}

int runBackup(CliContext& cli, const CommandLine& options)
{
    if (!options.positional().empty() || options.value("--port").empty())
        return cli.usage(kBackupUsage);
    auto radio = std::make_unique<ConfigImage>();
    UnitRecord unit{};
    if (const int read = readRepeater(cli, options, *radio, unit); read != kExitOk)
        return read;
    const ImageAreas& held = radio->snapshot();
    const std::string unitName =
        backup::unitName(std::span<const uint8_t>(held.main).subspan(kModelBlockOffset), unit);
    const std::string root = options.has("--dir") ? options.value("--dir") : backup::backupsRoot();
    const std::string saved = backupImage(cli, held, unitName, root);
    if (saved.empty())
        return kExitFailure;
    cli.out << saved << '\n';
    return kExitOk;
}

constexpr CliOption kVerifyOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    kTraceOption,
    {"--quiet", "", "print no progress and no report"},
};
constexpr CliOption kBackupOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    {"--dir", "DIR", "the backups folder (default $XDG_DATA_HOME/rps360t/backups)"},
    kTraceOption,
    {"--quiet", "", "print no progress"},
};
constexpr CliPositional kVerifyPositionals[] = {{"FILE", "the data file to compare with (FILE.dat)"}};

constexpr CliCommand kBackupCommands[] = {
    {"verify", kVerifyUsage,
     "Reads a repeater and compares it with a data file as a write would have sent it; never writes. Exit 0 "
     "only when they are equal.",
     kVerifyOptions, kVerifyPositionals, runVerify},
    {"backup",
     kBackupUsage,
     "Reads a repeater into the backups folder (<model>-<serial>/<date-time>.dat) and prints the file's "
     "path.",
     kBackupOptions,
     {},
     runBackup},
};

} // namespace

std::span<const CliCommand> backupCommands()
{
    return kBackupCommands;
}

} // namespace rps::cli
