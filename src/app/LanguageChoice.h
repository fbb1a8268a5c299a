#pragma once
// The languages this installation offers: settings key, language name (the column title in
// the language file), display text and the help files of each language.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

class LanguageTable;

struct LanguageRow {
    int key;                      // value of the "Language" setting
    const char* name;             // column title in the language file header
    int displayText;              // language text of the name shown in the Language File Setup list
    const char* helpFile;         // "&Help Topics"
    const char* advancedHelpFile; // "Help Topics (Ad&vanced)"
};

inline constexpr std::array<LanguageRow, 6> kLanguageRows{{
    {1, "English", 1374, "RPS360T_E_en.qhc", "RPS360T_E_adv_en.qhc"},
    {2, "Spanish", 1375, "RPS360T_E_sp.qhc", "RPS360T_E_adv_sp.qhc"},
    {8, "French", 1376, "RPS360T_E_fr.qhc", "RPS360T_E_adv_fr.qhc"},
    {4, "German", 1377, "RPS360T_E_ge.qhc", "RPS360T_E_adv_ge.qhc"},
    {16, "Italian", 1379, "RPS360T_E_it.qhc", "RPS360T_E_adv_it.qhc"},
    {32, "Dutch", 1378, "RPS360T_E_du.qhc", "RPS360T_E_adv_du.qhc"},
}};

// A key that is not in the table selects the first row.
const LanguageRow& languageRowForKey(int key);
// 0 when the name is not in the table.
int languageKeyForName(std::string_view name);
// The rows whose language has a column in the loaded file, in table order.
std::vector<LanguageRow> offeredLanguages(const LanguageTable& texts);

// The help collections keep the names the dealers know, as Qt Help collections.
struct HelpFiles {
    std::string normal;
    std::string advanced;
};
// The help files of a language, in the application's own folder.
HelpFiles helpFilesFor(const std::string& applicationFolder, std::string_view languageName);

} // namespace rps
