#pragma once
// A data file opened as Open leaves it (the repairs an accepted image gets), with the English
// texts and the file's band limits: what show, set and diff work on.
#include "cli/CliCommand.h"
#include "forms/fields/FieldRules.h"
#include "model/ConfigImage.h"
#include "model/InstallationId.h"

#include <memory>
#include <string>

namespace rps::cli {

struct OpenedFile {
    std::unique_ptr<ConfigImage> image = std::make_unique<ConfigImage>();
    fields::FieldEnv env;
    bool encrypted = true; // false: saved without "Encrypt Mode" (key byte 0)
};

// An installation identifier of blanks: the tool stamps no installation of its own.
InstallationId noInstallation();

// kExitOk, or the failure exit code after the reason was printed.
int openFile(const CliContext& context, const std::string& path, OpenedFile& file);

} // namespace rps::cli
