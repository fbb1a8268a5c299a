// read and write: a repeater on a serial port (or the simulated repeater's pseudo-terminal).
#include "cli/CliCommand.h"
#include "cli/Interruption.h"
#include "cli/LinkBackup.h"
#include "cli/TerminalTransfer.h"
#include "document/DocumentFlows.h"
#include "document/FileFailureText.h"
#include "link/PortPath.h"
#include "link/Transfers.h"
#include "link/WriteProblems.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"
#include "texts/TextArguments.h"

#include <filesystem>
#include <memory>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kReadUsage = "read --port DEVICE [--plain] [--trace FILE] [--quiet] -o OUT.dat";
constexpr std::string_view kWriteUsage = "write --port DEVICE [--set-clock] [--password TEXT] [--yes] "
                                         "[--allow-model-change] [--verify | --no-verify] [--trace FILE] "
                                         "[--quiet] FILE.dat";
constexpr int kReadDone = 1262;   // "Read %s into %s"
constexpr int kWriteDone = 1263;  // "Written %s to the repeater on %s"
constexpr int kBackupSaved = 507; // "Backup saved as %s"

// The model a transfer moved, as the title shows it ("QLM-640: K  VHF: 136-174 MHz").
std::string modelName(ConfigImage& image)
{
    const ModelBlock model = readModelBlock(image.main());
    return modelDescription(findModelRow(model), findBandRow(model.modelCode()));
}

int runRead(CliContext& cli, const CommandLine& options)
{
    if (!options.positional().empty() || options.value("--port").empty() || options.value("-o").empty())
        return cli.usage(kReadUsage);
    const bool plain = options.has("--plain");
    // A file that cannot be made is found out before the repeater is read, not after.
    const std::string out = outputPath(options.value("-o"));
    if (const int error = outputProblem(out); error != 0)
        return failSave(cli, "The data file", out, error);
    TerminalTransfer transfer(cli, options.value("--port"), plain, TerminalDialogs::Answers{true, false},
                              std::nullopt, options.has("--quiet"));
    if (!startTrace(cli, options, transfer))
        return kExitFailure;

    ConfigImage image;
    image.clear();
    UnitRecord unit{};
    const int result = runReadTransfer(transfer.context, image, &unit);
    if (interruptionRequested()) {
        transfer.line.end(cli.err);
        cli.err << "The read was stopped";
        if (transfer.line.step > 0)
            cli.err << " at block " << transfer.line.step << " of " << transfer.line.total;
        cli.err << "; nothing was saved.\n";
        return interruptionExitCode();
    }
    if (result != kLinkOk) {
        if (!transfer.dialogs.shownAnything())
            cli.failText(773, "The repeater does not answer.");
        return kExitFailure;
    }
    // The repeater's image as it came, before any repair.
    const std::string backup = backupImage(
        cli, image.snapshot(),
        backup::unitName(std::span<const uint8_t>(image.snapshot().main).subspan(kModelBlockOffset), unit));
    FrequencyLimits limits;
    const ImageCheck check = acceptStagedImage(image, ImageSource::Repeater, cliInstallationId(), limits);
    if (!check.accepted)
        return cli.failText(check.messageText, "The repeater holds data of a newer version of the software.");

    DataFileSettings settings;
    settings.encryptMode = !plain;
    const SaveResult saved = saveImage(out, image, saveOptionsFor(settings, cliInstallationId()));
    if (saved.code != kSaveOk)
        return failSave(cli, "The data file", out, saved.systemError);
    // What was done goes to standard error, so standard output stays for data.
    if (!options.has("--quiet"))
        cli.err << fillTextArguments(cli.text(kReadDone, "Read %s into %s"),
                                     {modelName(image), options.value("-o")})
                << '\n';
    if (!options.has("--quiet") && !backup.empty())
        cli.err << fillTextArguments(cli.text(kBackupSaved, "Backup saved as %s"), {backup}) << '\n';
    return kExitOk;
}

int runWrite(CliContext& cli, const CommandLine& options)
{
    if (options.positional().size() != 1 || options.value("--port").empty() ||
        (options.has("--verify") && options.has("--no-verify")))
        return cli.usage(kWriteUsage);

    ConfigImage image;
    image.clear();
    if (const int loaded = loadForWrite(cli, options.positional().front(), image); loaded != kExitOk)
        return loaded;
    std::optional<std::string> password;
    if (options.has("--password"))
        password = options.value("--password");
    const TerminalDialogs::Answers answers{options.has("--yes"), options.has("--allow-model-change")};
    TerminalTransfer transfer(cli, options.value("--port"), false, answers, password, options.has("--quiet"));
    if (!startTrace(cli, options, transfer))
        return kExitFailure;

    const std::vector<int> problems = findWriteProblems(image.main(), image.aux());
    if (!problems.empty())
        return cli.fail(writeProblemsText(problems, transfer.context.texts));
    // No read of this run says which unit the data came from.
    backupImage(cli, image.working(),
                backup::unitName(image.main().subspan(kModelBlockOffset), std::span<const uint8_t>()));
    WriteOptions writeOptions{options.has("--set-clock")};
    writeOptions.verify = !options.has("--no-verify");
    writeOptions.fieldName = cliFieldNames(cli, image);
    const int result = runWriteTransfer(transfer.context, image, writeOptions);
    if (interruptionRequested() || result != kLinkOk) {
        transfer.line.end(cli.err);
        if (interruptionRequested())
            cli.err << "The write was stopped.\n";
        else if (!transfer.dialogs.shownAnything())
            cli.failText(773, "The repeater does not answer.");
        if (transfer.line.stoppedPartWay())
            cli.err << "The write ended at block " << transfer.line.step << " of " << transfer.line.total
                    << ": the repeater now holds part of the new data. Write the data file to it again.\n";
        return interruptionRequested() ? interruptionExitCode() : kExitFailure;
    }
    if (!options.has("--quiet")) {
        const std::string written = options.positional().front() + " (" + modelName(image) + ")";
        cli.err << fillTextArguments(cli.text(kWriteDone, "Written %s to the repeater on %s"),
                                     {written, transfer.link.devicePath()})
                << '\n';
    }
    return kExitOk;
}

constexpr CliOption kReadOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    {"--plain", "", "read and save with \"Encrypt Mode\" off"},
    kTraceOption,
    {"--quiet", "", "print no progress and no report"},
    {"-o", "OUT.dat", "the data file to write (- for standard output)", true},
};
constexpr CliOption kWriteOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    {"--set-clock", "", "set the repeater's clock to this computer's time after the write"},
    {"--password", "TEXT", "the repeater's write password, when it asks for one"},
    {"--yes", "", "answer the routine confirmation with yes"},
    {"--allow-model-change", "", "write even over a repeater of another model, destination or band"},
    {"--verify", "", "read every written block back and compare it with the data (the default)"},
    {"--no-verify", "", "do not read the written blocks back"},
    kTraceOption,
    {"--quiet", "", "print no progress and no report"},
};

constexpr CliPositional kWritePositionals[] = {{"FILE", "the data file to write (FILE.dat)"}};

constexpr CliCommand kLinkCommands[] = {
    {"read",
     kReadUsage,
     "Reads a repeater's configuration and saves it as a data file.",
     kReadOptions,
     {},
     runRead},
    {"write", kWriteUsage, "Writes a data file to a repeater, after the checks and questions of a write.",
     kWriteOptions, kWritePositionals, runWrite,
     "The data is first saved in the backups folder ($XDG_DATA_HOME/rps360t/backups); with --verify a\n"
     "difference between what was sent and what the repeater holds fails the write (exit 1)."},
};

} // namespace

int loadForWrite(CliContext& cli, const std::string& path, ConfigImage& image)
{
    const LoadResult loaded = loadImage(path, image);
    if (loaded.code != kLoadOk) {
        const std::string text = cli.text(loadMessageText(loaded.code), "The file cannot be read.");
        return cli.fail(
            fillTextArguments(text, {std::filesystem::path(path).filename().string(), loaded.otherProgram}) +
            "\n" +
            fileFailureLine(cli.languageTable(), path, loaded.systemError, loaded.code == kLoadCannotRead));
    }
    FrequencyLimits limits;
    const ImageCheck check = acceptStagedImage(image, ImageSource::File, cliInstallationId(), limits);
    if (!check.accepted)
        return cli.failText(check.messageText, "This data file was made by a newer version of the software.");
    return kExitOk;
}

std::span<const CliCommand> linkCommands()
{
    return kLinkCommands;
}

} // namespace rps::cli
