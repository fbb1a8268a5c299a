// tuning-read and tuning-write: a repeater's alignment values to and from a tuning data file,
// so a technician can back them up before a board exchange and restore them after it.
#include "cli/CliCommand.h"
#include "cli/LinkBackup.h"
#include "cli/TerminalTransfer.h"
#include "document/FileFailureText.h"
#include "link/TuningTransfer.h"
#include "service/tuning/TuningFile.h"
#include "texts/TextArguments.h"

#include <filesystem>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kReadUsage = "tuning-read --port DEVICE [--trace FILE] [--quiet] -o OUT.tun";
constexpr std::string_view kWriteUsage =
    "tuning-write --port DEVICE [--yes] [--allow-other-unit] [--trace FILE] [--quiet] FILE.tun";

// What a stopped or failed transfer says; the exit code.
int transferFailed(CliContext& cli, TerminalTransfer& transfer, std::string_view what)
{
    transfer.line.end(cli.err);
    if (interruptionRequested()) {
        cli.err << "The " << what << " was stopped.\n";
        return interruptionExitCode();
    }
    if (!transfer.dialogs.shownAnything())
        cli.failText(773, "The repeater does not answer.");
    return kExitFailure;
}

int runTuningReadCommand(CliContext& cli, const CommandLine& options)
{
    if (!options.positional().empty() || options.value("--port").empty() || options.value("-o").empty())
        return cli.usage(kReadUsage);
    const std::string out = outputPath(options.value("-o"));
    if (const int error = outputProblem(out); error != 0)
        return failSave(cli, "The tuning data file", out, error);
    TerminalTransfer transfer(cli, options.value("--port"), false, TerminalDialogs::Answers{true, false},
                              std::nullopt, options.has("--quiet"));
    if (!startTrace(cli, options, transfer))
        return kExitFailure;
    TuningData data;
    if (runTuningRead(transfer.context, data.block, data.unit) != kLinkOk || interruptionRequested())
        return transferFailed(cli, transfer, "read");
    if (const int error = saveTuningFile(out, data); error != 0)
        return failSave(cli, "The tuning data file", out, error);
    if (!options.has("--quiet"))
        cli.err << "Read the tuning data of unit " << unitRecordText(data.unit) << " into "
                << options.value("-o") << '\n';
    return kExitOk;
}

// A refused file, refused before the port is opened: the message, then the file and the reason.
int failTuningLoad(CliContext& cli, const TuningLoadResult& result, const std::string& path)
{
    const std::string text = cli.text(result.message, "The file cannot be read.");
    return cli.fail(
        fillTextArguments(text, {std::filesystem::path(path).filename().string(), result.otherProgram}) +
        "\n" +
        fileFailureLine(cli.languageTable(), path, result.systemError, result.message == kTuningCannotRead));
}

int runTuningWriteCommand(CliContext& cli, const CommandLine& options)
{
    if (options.positional().size() != 1 || options.value("--port").empty())
        return cli.usage(kWriteUsage);
    const std::string& path = options.positional().front();
    TuningData data;
    if (const TuningLoadResult loaded = loadTuningFile(path, data); loaded.message != 0)
        return failTuningLoad(cli, loaded, path);

    TerminalDialogs::Answers answers{options.has("--yes"), false};
    answers.otherUnit = options.has("--allow-other-unit");
    TerminalTransfer transfer(cli, options.value("--port"), false, answers, std::nullopt,
                              options.has("--quiet"));
    if (!startTrace(cli, options, transfer))
        return kExitFailure;
    MessageRequest confirm;
    confirm.text = "The alignment values of the repeater on " + transfer.link.devicePath() +
                   " will be replaced by the tuning data of " + path + ".";
    confirm.buttons = MessageButtons::OkCancel;
    confirm.icon = MessageIcon::Warning;
    if (transfer.dialogs.showMessage(confirm) != MessageAnswer::Ok) {
        cli.err << "Not written: the confirmation was not given (--yes gives it).\n";
        return kExitFailure;
    }
    if (runTuningWrite(transfer.context, data.block, data.unit) != kLinkOk || interruptionRequested())
        return transferFailed(cli, transfer, "write");
    if (!options.has("--quiet"))
        cli.err << "Written the tuning data of " << path << " to the repeater on "
                << transfer.link.devicePath() << '\n';
    return kExitOk;
}

constexpr CliOption kReadOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    kTraceOption,
    {"--quiet", "", "print no progress and no report"},
    {"-o", "OUT.tun", "the tuning data file to write (- for standard output)", true},
};
constexpr CliOption kWriteOptions[] = {
    {"--port", "DEVICE", "the serial device (a path, or a name under /dev such as ttyUSB0)", true},
    {"--yes", "", "answer the routine confirmation with yes"},
    {"--allow-other-unit", "", "write even a block that came from another unit"},
    kTraceOption,
    {"--quiet", "", "print no progress and no report"},
};
constexpr CliPositional kWritePositionals[] = {{"FILE", "the tuning data file to write (FILE.tun)"}};

constexpr CliCommand kTuningCommands[] = {
    {"tuning-read",
     kReadUsage,
     "Reads a repeater's tuning block (its alignment values) into a tuning data file.",
     kReadOptions,
     {},
     runTuningReadCommand},
    {"tuning-write", kWriteUsage, "Writes a tuning data file's block back to a repeater.", kWriteOptions,
     kWritePositionals, runTuningWriteCommand},
};

} // namespace

std::span<const CliCommand> tuningCommands()
{
    return kTuningCommands;
}

} // namespace rps::cli
