#pragma once
// Where the program looks for its language file: beside the program, in its "lang" folder, then
// in the installed layout (share/rps360t beside the program's bin folder). Only a program that
// runs from the folder it was built in also looks in the source tree's lang folder: an
// installed copy never reaches back into a source tree, so a broken install shows itself.
#include <string>
#include <string_view>
#include <vector>

namespace rps {

struct BuildTreeFallback {
    std::string buildFolder;      // where the program was built; empty: no fallback at all
    std::string sourceLangFolder; // the source tree's lang folder
};

struct LanguageFileSearch {
    std::string found;              // empty when no candidate exists
    std::vector<std::string> tried; // every place looked at, in order
};

LanguageFileSearch findLanguageFile(const std::string& programFolder, const BuildTreeFallback& fallback);

// A help collection of a language ("Help Topics" or the advanced one), found where the language
// file is found (the build tree keeps them beside the program); a language without help of its
// own falls back to the English collections. Empty when none is installed.
std::string findHelpCollection(const std::string& programFolder, std::string_view languageName,
                               bool advanced);

// The lines for standard error when the file cannot be used: the fixed message, then where the
// program looked (a damaged file: that file).
std::string languageFileProblem(const std::string& message, const std::vector<std::string>& paths);

} // namespace rps
