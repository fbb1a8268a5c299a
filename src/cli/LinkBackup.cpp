#include "cli/LinkBackup.h"

#include "forms/FieldPlaces.h"
#include "texts/TextArguments.h"

#include <cstring>
#include <ostream>

namespace rps::cli {

namespace {
constexpr int kBackupFailed = 504; // "The backup could not be saved: %s"
} // namespace

std::string backupImage(CliContext& cli, const ImageAreas& image, const std::string& unit,
                        const std::string& root)
{
    SaveOptions options;
    options.installationId = cliInstallationId();
    const backup::Saved saved =
        backup::saveBackup(root, unit, image, options, backup::localNow(), backup::Policy{});
    if (saved.path.empty()) {
        const std::string where = root + "/" + unit + ": " + std::strerror(saved.systemError);
        cli.err << fillTextArguments(cli.text(kBackupFailed, "The backup could not be saved: %s"), {where})
                << '\n';
    }
    return saved.path;
}

bool startTrace(CliContext& cli, const CommandLine& options, TerminalTransfer& transfer)
{
    if (!options.has("--trace"))
        return true;
    const std::string path = options.value("--trace");
    if (transfer.traceTo(path))
        return true;
    failSave(cli, "The serial trace", path, errno);
    return false;
}

FieldNameLookup cliFieldNames(CliContext& cli, ConfigImage& image)
{
    fields::FieldEnv env;
    const LanguageTable& texts = cli.languageTable();
    env.texts = [&texts](int number) { return texts.text(number); };
    const auto lookup = fieldPlaceLookup(image, env);
    return [lookup](bool aux, std::size_t offset) { return lookup(aux, offset); };
}

} // namespace rps::cli
