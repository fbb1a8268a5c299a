#pragma once
// The build step of the help: our hand-written pages with the field sections of the declared
// forms and the function table filled in, and the Qt Help projects that list them.
#include "texts/LanguageTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace rps::help {

// A source page: markers "<!--fields FORM-->" and "<!--functions-->" are replaced by the
// generated sections; "<!--note FIELD-->text<!--/note-->" blocks move into the section of
// that field of the page's form.
std::string expandPage(std::string_view source, const LanguageTable& texts);

// Every field section of a declared form: its caption, key anchor and what it takes.
std::string fieldSections(std::string_view formKey, const LanguageTable& texts,
                          const std::vector<std::pair<std::string, std::string>>& notes);
std::string functionSections(const LanguageTable& texts);

struct ContentsLine {
    int level = 0;
    std::string page;
    std::string title;
    bool advancedOnly = false;
};
// "  page.html Title" per line, two spaces a level; a page marked "!" is only in the advanced
// collection.
std::vector<ContentsLine> parseContents(std::string_view text);

// The help project over the expanded pages (keywords from the headings with ids).
std::string helpProject(const std::vector<ContentsLine>& contents, bool advanced,
                        const std::vector<std::pair<std::string, std::string>>& pages,
                        const std::vector<std::string>& extraFiles);
std::string collectionProject(const std::string& projectFile, const std::string& documentFile);

} // namespace rps::help
