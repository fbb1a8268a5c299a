#include "app/LanguageFileSearch.h"

#include "app/LanguageChoice.h"

#include <filesystem>

namespace rps {

namespace {

constexpr const char* kLanguageFileName = "rps360t.lng";

bool sameFolder(const std::string& a, const std::string& b)
{
    std::error_code error;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, error);
}

} // namespace

LanguageFileSearch findLanguageFile(const std::string& programFolder, const BuildTreeFallback& fallback)
{
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    std::vector<fs::path> candidates{
        folder / kLanguageFileName, folder / "lang" / kLanguageFileName,
        (folder / ".." / "share" / "rps360t" / kLanguageFileName).lexically_normal()};
    if (sameFolder(programFolder, fallback.buildFolder) && !fallback.sourceLangFolder.empty())
        candidates.push_back(fs::path(fallback.sourceLangFolder) / kLanguageFileName);
    LanguageFileSearch search;
    for (const fs::path& candidate : candidates) {
        search.tried.push_back(candidate.string());
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            search.found = candidate.string();
            break;
        }
    }
    return search;
}

std::string findHelpCollection(const std::string& programFolder, std::string_view languageName, bool advanced)
{
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    for (std::string_view language : {languageName, std::string_view("English")}) {
        const HelpFiles files = helpFilesFor("", language);
        const fs::path name = fs::path(advanced ? files.advanced : files.normal).filename();
        for (const fs::path& candidate : {folder / name, folder / "lang" / name,
                                          (folder / ".." / "share" / "rps360t" / name).lexically_normal()}) {
            std::error_code error;
            if (fs::is_regular_file(candidate, error))
                return candidate.string();
        }
    }
    return {};
}

std::string languageFileProblem(const std::string& message, const std::vector<std::string>& paths)
{
    std::string text = "rps360t: " + message + "\n";
    if (paths.size() == 1) {
        text += "  " + paths.front() + "\n";
        return text;
    }
    text += "Looked for it at:\n";
    for (const std::string& path : paths)
        text += "  " + path + "\n";
    return text;
}

} // namespace rps
