// Feeds arbitrary bytes to the language file loader, once into an empty table and once into a
// table holding a good file, which must keep its texts whenever the new file is refused.
#include "texts/LanguageTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A table loaded once from a good file; each run works on a copy of it.
const rps::LanguageTable& goodTable()
{
    static const rps::LanguageTable table = [] {
        std::string text = "*Language,English,Spanish\n*Font,A,B\n";
        for (int i = 0; i < static_cast<int>(rps::kLanguageTextCount); ++i) {
            text += "^#" + std::to_string(rps::languageKey(i)) + ",e,s\n";
        }
        rps::LanguageTable loaded;
        if (loaded.loadText(text, "English") != rps::LanguageLoadResult::Ok) {
            std::abort();
        }
        return loaded;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first byte picks the language asked for, so the column choice is exercised too.
    const std::string_view language = size > 0 && (data[0] & 1) ? "Spanish" : "English";

    rps::LanguageTable fresh;
    if (fresh.loadText(input, language) == rps::LanguageLoadResult::Ok) {
        for (int i = 0; i < static_cast<int>(rps::kLanguageTextCount); ++i) {
            (void)fresh.text(i);
        }
        (void)fresh.currentLanguageName();
    }

    rps::LanguageTable kept = goodTable();
    if (kept.loadText(input, language) != rps::LanguageLoadResult::Ok && kept.text(1379) != "e") {
        std::abort(); // a refused file must leave the previous texts whole
    }
    return 0;
}
