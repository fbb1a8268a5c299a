#include "app/LanguageChoice.h"

#include "texts/LanguageTable.h"

#include <filesystem>

namespace rps {

const LanguageRow& languageRowForKey(int key)
{
    for (const LanguageRow& row : kLanguageRows) {
        if (row.key == key) {
            return row;
        }
    }
    return kLanguageRows.front();
}

int languageKeyForName(std::string_view name)
{
    for (const LanguageRow& row : kLanguageRows) {
        if (name == row.name) {
            return row.key;
        }
    }
    return 0;
}

std::vector<LanguageRow> offeredLanguages(const LanguageTable& texts)
{
    std::vector<LanguageRow> rows;
    for (const LanguageRow& row : kLanguageRows) {
        if (texts.languageColumn(row.name) > 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

HelpFiles helpFilesFor(const std::string& applicationFolder, std::string_view languageName)
{
    const LanguageRow* chosen = &kLanguageRows.front();
    for (const LanguageRow& row : kLanguageRows) {
        if (languageName == row.name) {
            chosen = &row;
        }
    }
    const std::filesystem::path folder(applicationFolder);
    return {(folder / chosen->helpFile).string(), (folder / chosen->advancedHelpFile).string()};
}

} // namespace rps
