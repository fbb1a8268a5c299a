#include "cli/CliCommand.h"

#include "app/LanguageFileSearch.h"
#include "document/FileFailureText.h"
#include "model/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace rps::cli {

namespace {

#ifndef RPS_CLI_BUILD_DIR
#define RPS_CLI_BUILD_DIR ""
#define RPS_CLI_LANG_DIR ""
#endif

// The places the application looks at, in its order: an installed copy never reaches back into a
// source tree; only the tool in its build folder falls back to the source tree's file.
std::vector<std::string> languageFileCandidates()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return findLanguageFile(self.parent_path().string(), {RPS_CLI_BUILD_DIR, RPS_CLI_LANG_DIR}).tried;
}

} // namespace

CliContext::CliContext(std::ostream& output, std::ostream& errors) : out(output), err(errors)
{
    for (const auto& candidate : languageFileCandidates()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) &&
            texts_.loadFile(candidate, "English") == LanguageLoadResult::Ok) {
            textsLoaded_ = true;
            break;
        }
    }
}

std::string CliContext::text(int number, std::string_view fallback) const
{
    if (textsLoaded_ && !texts_.text(number).empty())
        return texts_.text(number);
    return std::string(fallback);
}

int CliContext::fail(const std::string& message) const
{
    err << message << '\n';
    return kExitFailure;
}

int CliContext::usage(std::string_view line) const
{
    err << "usage: rps360t-cli " << line << '\n';
    return kExitUsage;
}

std::string outputPath(const std::string& given)
{
    return given == "-" ? std::string("/dev/stdout") : given;
}

int outputProblem(const std::string& path)
{
    // A device, a pipe or standard output is written where it is: opening it now could block or
    // take a reader's place, so only the permission is asked.
    struct stat node {};
    if (::stat(path.c_str(), &node) == 0 && !S_ISREG(node.st_mode)) {
        if (S_ISDIR(node.st_mode))
            return EISDIR;
        return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
    }
    // Otherwise the temporary a save writes first is made in the target's folder, and removed.
    AtomicFileWriter probe(path);
    return probe.open() ? 0 : probe.systemError();
}

int failSave(const CliContext& context, const std::string& what, const std::string& path, int systemError)
{
    return context.fail(saveFailureLine(context.languageTable(), what, path, systemError));
}

bool CommandLine::has(std::string_view name) const
{
    return std::any_of(found_.begin(), found_.end(), [&](const auto& entry) { return entry.first == name; });
}

std::string CommandLine::value(std::string_view name) const
{
    for (const auto& [option, value] : found_) {
        if (option == name)
            return value;
    }
    return {};
}

} // namespace rps::cli
