#pragma once
// The table of 1,380 language texts loaded from the language file. Text N is entry N
// (0..1379); every visible text of the application comes from here.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

inline constexpr std::size_t kLanguageTextCount = 1380;

enum class LanguageLoadResult { Ok, NotFound, Damaged };

class LanguageTable {
public:
    // Loads the file and takes the column of languageName (column 1 when the name is not in
    // the header). On failure the current texts stay as they were.
    LanguageLoadResult loadFile(const std::string& path, std::string_view languageName);
    LanguageLoadResult loadText(std::string_view fileText, std::string_view languageName);

    // Entry with its escapes resolved; empty outside 0..1379.
    const std::string& text(int index) const;
    // Column of a language name in the header, or -1.
    int languageColumn(std::string_view languageName) const;
    std::string currentLanguageName() const;
    const std::vector<std::string>& languageHeader() const { return header_; }
    const std::vector<std::string>& fontLine() const { return font_; }
    bool loaded() const { return loaded_; }

    // The two fixed messages shown when the file cannot be used (they cannot come from it).
    static constexpr const char* kMissingMessage =
        "Can't read language file.  Please install this software again.";
    static constexpr const char* kDamagedMessage =
        "Language file has been damaged.  Please install this software again.";

private:
    std::array<std::string, kLanguageTextCount> texts_{};
    std::vector<std::string> header_;
    std::vector<std::string> font_;
    int column_ = 1;
    bool loaded_ = false;
};

// The fixed ascending table of eight-digit keys; key index i <-> text i.
int languageKey(int index);                           // 0 outside the table
int languageIndexOfKey(std::string_view eightDigits); // exact match only, -1 if unknown

} // namespace rps
