#pragma once
// What the link commands share beyond the transfer: the backups they make, the trace option
// and the field names of a read-back report.
#include "cli/CliCommand.h"
#include "cli/TerminalTransfer.h"
#include "document/Backups.h"
#include "link/ReadBack.h"

#include <string>

namespace rps::cli {

inline constexpr CliOption kTraceOption{
    "--trace", "FILE",
    "write every frame exchanged with the repeater to FILE (time, direction, "
    "plain bytes, passwords masked)"};

// Saves image into the backups folder under unit; the path, or empty after a warning on
// standard error (a backup that cannot be made never stops the transfer).
std::string backupImage(CliContext& cli, const ImageAreas& image, const std::string& unit,
                        const std::string& root = backup::backupsRoot());

// Opens a data file as a write would send it (the checks of Open); an exit code.
int loadForWrite(CliContext& cli, const std::string& path, ConfigImage& image);

// Starts the trace when --trace was given; false after the failure was reported.
bool startTrace(CliContext& cli, const CommandLine& options, TerminalTransfer& transfer);

// Names the field that holds a byte of image (which must outlive the lookup).
FieldNameLookup cliFieldNames(CliContext& cli, ConfigImage& image);

} // namespace rps::cli
