#pragma once
// One repeater transfer wired for the terminal: the serial device, the link, the terminal's
// dialog service, Ctrl+C and the progress line on standard error.
#include "cli/CliCommand.h"
#include "cli/Interruption.h"
#include "cli/TerminalDialogs.h"
#include "link/LinkTrace.h"
#include "link/PortPath.h"
#include "link/Transfers.h"
#include "link/qt/QtSerialDevice.h"

#include <QCoreApplication>

#include <unistd.h>

#include <fstream>
#include <memory>
#include <optional>
#include <ostream>

namespace rps::cli {

inline constexpr int kProgressLabel = 551;
inline constexpr int kPasswordMissing = 821;

// The command line has no installation of its own: the identifier field stays empty.
inline InstallationId cliInstallationId()
{
    InstallationId id;
    id.fill(0xFF);
    return id;
}

// Qt's serial port wants an application object for its notifiers.
inline std::unique_ptr<QCoreApplication> ensureApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "rps360t-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

// How far a transfer got, and the progress line it keeps on a terminal.
struct ProgressLine {
    int step = -1;
    int total = 0;
    bool open = false; // a line without its line feed is on the terminal

    void end(std::ostream& err)
    {
        if (open)
            err << '\n' << std::flush;
        open = false;
    }
    // A step is announced before its block is sent: the blocks before it are in the repeater.
    bool stoppedPartWay() const { return step >= 2 && step < total; }
};

// Everything one transfer needs, wired together for the terminal.
struct TerminalTransfer {
    TerminalTransfer(CliContext& cli, const std::string& port, bool plain, TerminalDialogs::Answers answers,
                     std::optional<std::string> password, bool quiet = false)
        : dialogs(cli.err, answers, std::move(password),
                  cli.text(kPasswordMissing, "Please enter a password.")),
          link(device), context{link,
                                dialogs,
                                cli.languageTable(),
                                nullptr,
                                nullptr,
                                cliInstallationId(),
                                interruptionRequested}
    {
        link.setPort(1, resolvePortPath(port));
        link.options().encryptMode = !plain;
        const bool shown = ::isatty(STDERR_FILENO) == 1 && !quiet;
        const std::string label = cli.text(kProgressLabel, "Block");
        context.progress = [this, &cli, label, shown](int step, int total) {
            line.step = step;
            line.total = total;
            if (!shown)
                return;
            cli.err << '\r' << label << ' ' << step << " / " << total << (step == total ? "\n" : "")
                    << std::flush;
            line.open = step != total;
        };
        dialogs.setBeforeText([this, &cli] { line.end(cli.err); });
    }

    // --trace FILE: every frame of the transfer goes to FILE; false when it cannot be made.
    bool traceTo(const std::string& path)
    {
        traceFile = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc);
        if (!*traceFile)
            return false;
        trace = std::make_unique<LinkTrace>(*traceFile);
        link.setTrace(trace.get());
        return true;
    }

    ProgressLine line;
    std::unique_ptr<QCoreApplication> application = ensureApplication();
    // From here on Ctrl+C ends the transfer on its normal path instead of killing the program.
    InterruptionScope interruption;
    TerminalDialogs dialogs;
    std::unique_ptr<std::ofstream> traceFile; // outlive the link that writes to them
    std::unique_ptr<LinkTrace> trace;
    QtSerialDevice device;
    RadioLink link;
    TransferContext context;
};

} // namespace rps::cli
