#include "texts/LanguageTable.h"
#include "ShownLanguageTexts.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace rps {
namespace {

std::string keyText(int index)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08d", languageKey(index));
    return buffer;
}

// A complete two-language file whose texts name their index ("E12" / "S12"), with the lines of
// the given indexes replaced.
std::string makeFile(const std::map<int, std::string>& replaced = {},
                     const std::string& header = "*Language,English,Spanish")
{
    std::string file = header + "\n*Font,Sans,Sans\n";
    for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
        const auto found = replaced.find(i);
        if (found != replaced.end()) {
            file += found->second;
        } else {
            file += "^#" + keyText(i) + ",E" + std::to_string(i) + ",S" + std::to_string(i) + "\n";
        }
    }
    return file;
}

TEST(LanguageKeys, ExactEightDigitLookupOnly)
{
    EXPECT_EQ(languageIndexOfKey("10000001"), 0);
    EXPECT_EQ(languageIndexOfKey("10001013"), 13);
    EXPECT_EQ(languageIndexOfKey("10005501"), 140);
    EXPECT_EQ(languageIndexOfKey("19000006"), 1379);
    EXPECT_EQ(languageIndexOfKey("1000100"), -1); // short key must not match inside 10001001
    EXPECT_EQ(languageIndexOfKey("100010011"), -1);
    EXPECT_EQ(languageIndexOfKey("1000100a"), -1);
    EXPECT_EQ(languageIndexOfKey("10000002"), -1);
    for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
        ASSERT_EQ(languageIndexOfKey(keyText(i)), i) << i;
    }
    EXPECT_EQ(languageKey(-1), 0);
    EXPECT_EQ(languageKey(1380), 0);
}

TEST(LanguageTable, SelectsColumnByNameAndFallsBackToColumnOne)
{
    const std::string file = makeFile({{5, "^#" + keyText(5) + ",only English\n"}});
    LanguageTable table;
    ASSERT_EQ(table.loadText(file, "Spanish"), LanguageLoadResult::Ok);
    EXPECT_EQ(table.text(4), "S4");
    EXPECT_EQ(table.text(5), "only English"); // line without a Spanish field
    EXPECT_EQ(table.currentLanguageName(), "Spanish");
    EXPECT_EQ(table.languageColumn("Spanish"), 2);
    EXPECT_EQ(table.languageColumn("German"), -1);
    EXPECT_EQ(table.fontLine().size(), 3u);

    ASSERT_EQ(table.loadText(file, "German"), LanguageLoadResult::Ok);
    EXPECT_EQ(table.text(4), "E4");
    EXPECT_EQ(table.currentLanguageName(), "English");
    EXPECT_TRUE(table.text(2000).empty());
    EXPECT_TRUE(table.text(-1).empty());
}

TEST(LanguageTable, QuotesAndEscapes)
{
    const std::string file = makeFile({
        {1, "^#" + keyText(1) + ",\"Yes, really\",x\n"},
        {2, "^#" + keyText(2) + ",a\\ab\\tc\\nd,x\n"},
        {3, "^#" + keyText(3) + ",\"say \"\"hi\"\"\",x\n"},
        {4, "^#" + keyText(4) + ",\"two\nlines\",x\r\n"},
        {6, "^#" + keyText(6) + ",back\\slash,x\n"},
    });
    LanguageTable table;
    ASSERT_EQ(table.loadText(file, "English"), LanguageLoadResult::Ok);
    EXPECT_EQ(table.text(1), "Yes, really");
    EXPECT_EQ(table.text(2), "a,b\tc\nd");
    EXPECT_EQ(table.text(3), "say \"hi\"");
    EXPECT_EQ(table.text(4), "two\nlines");
    EXPECT_EQ(table.text(6), "back\\slash");
}

TEST(LanguageTable, DamagedFilesAreRefused)
{
    const std::string dup = "^#" + keyText(0) + ",again\n";
    const std::string cases[] = {
        makeFile({{7, dup}}),                              // key 10000001 twice (and 7 missing)
        makeFile({{7, "^#" + keyText(7) + ",a\n" + dup}}), // duplicate, count 1381
        makeFile({{9, "^#1000100,short key\n"}}),          // key with seven digits
        makeFile({{9, "^#10000002,unknown key\n"}}),
        makeFile({{9, ""}}),           // 1379 texts
        makeFile({}, "*Lang,English"), // no *Language line
    };
    for (const std::string& file : cases) {
        LanguageTable table;
        EXPECT_EQ(table.loadText(file, "English"), LanguageLoadResult::Damaged);
        EXPECT_FALSE(table.loaded());
    }
    // The last text line lacks its line feed, so it is not read and one text is missing.
    std::string unterminated = makeFile();
    unterminated.pop_back();
    LanguageTable table;
    EXPECT_EQ(table.loadText(unterminated, "English"), LanguageLoadResult::Damaged);
}

TEST(LanguageTable, FailedReloadKeepsPreviousTexts)
{
    LanguageTable table;
    ASSERT_EQ(table.loadText(makeFile(), "Spanish"), LanguageLoadResult::Ok);
    EXPECT_EQ(table.loadText(makeFile({{9, "^#1000100,x\n"}}), "English"), LanguageLoadResult::Damaged);
    EXPECT_EQ(table.text(9), "S9");
    EXPECT_EQ(table.currentLanguageName(), "Spanish");
    EXPECT_EQ(table.loadFile("/nonexistent/rps360t.lng", "English"), LanguageLoadResult::NotFound);
    EXPECT_EQ(table.text(1379), "S1379");
}

TEST(ShippedLanguageFile, EveryKeyOnceAndEveryShownTextWritten)
{
    std::ifstream in(test::kLanguageFile, std::ios::binary);
    ASSERT_TRUE(in) << test::kLanguageFile;
    std::map<std::string, int> seen;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("^#", 0) == 0) {
            ++seen[line.substr(2, line.find(',') - 2)];
        }
    }
    EXPECT_EQ(seen.size(), kLanguageTextCount);
    for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
        EXPECT_EQ(seen[keyText(i)], 1) << keyText(i);
    }

    LanguageTable table;
    ASSERT_EQ(table.loadFile(test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    EXPECT_EQ(table.currentLanguageName(), "English");
    for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
        EXPECT_FALSE(table.text(i).empty()) << i;
    }
    for (int n : test::kShownLanguageTexts) {
        EXPECT_EQ(table.text(n).rfind("Reserved", 0), std::string::npos) << n;
    }
    EXPECT_EQ(table.text(26), "OK");
    EXPECT_EQ(table.text(1374), "English");
    EXPECT_EQ(table.text(88), "&Channel Information");
}

// The Program menu names each transfer as its dialog's caption does (mnemonic and
// accelerator aside).
TEST(ShippedLanguageFile, TheProgramMenuNamesTheTransfersAsTheirDialogsDo)
{
    LanguageTable table;
    ASSERT_EQ(table.loadFile(test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    const struct {
        int menuText;
        int dialogCaption;
    } rows[] = {{92, 548}, {93, 570}};
    for (const auto& row : rows) {
        std::string shown = table.text(row.menuText);
        shown = shown.substr(0, shown.find('\t'));
        std::erase(shown, '&');
        EXPECT_EQ(shown, table.text(row.dialogCaption)) << row.menuText;
    }
}

} // namespace
} // namespace rps
