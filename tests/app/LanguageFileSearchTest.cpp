// The language file of an installed program comes from its own layout; only a program in its
// build folder falls back to the source tree's, and a failure names every place looked at.
#include "app/LanguageFileSearch.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace rps {
namespace {

namespace fs = std::filesystem;

TEST(LanguageFileSearch, TheInstalledLayoutServesAndOnlyTheBuildFolderFallsBackToTheSources)
{
    test::TempFolder root;
    const fs::path bin = root.path() / "prefix" / "bin";
    const fs::path share = root.path() / "prefix" / "share" / "rps360t";
    const fs::path sources = root.path() / "src" / "lang";
    for (const fs::path& folder : {bin, share, sources})
        fs::create_directories(folder);
    test::writeBytes((share / "rps360t.lng").string(), {'x'});
    test::writeBytes((sources / "rps360t.lng").string(), {'x'});
    const BuildTreeFallback builtElsewhere{(root.path() / "build").string(), sources.string()};

    LanguageFileSearch search = findLanguageFile(bin.string(), builtElsewhere);
    EXPECT_TRUE(fs::equivalent(search.found, share / "rps360t.lng")) << search.found;

    // A broken install: the source tree is not looked at, and every place tried is named.
    fs::remove(share / "rps360t.lng");
    search = findLanguageFile(bin.string(), builtElsewhere);
    EXPECT_EQ(search.found, "");
    ASSERT_EQ(search.tried.size(), 3u);
    EXPECT_EQ(search.tried[0], (bin / "rps360t.lng").string());
    EXPECT_EQ(search.tried[1], (bin / "lang" / "rps360t.lng").string());
    EXPECT_EQ(search.tried[2], (root.path() / "prefix" / "share" / "rps360t" / "rps360t.lng").string());
    const std::string problem = languageFileProblem("Can't read language file.", search.tried);
    for (const std::string& path : search.tried)
        EXPECT_NE(problem.find(path), std::string::npos) << problem;

    // The same program where it was built falls back to the sources.
    search = findLanguageFile(bin.string(), {bin.string(), sources.string()});
    EXPECT_EQ(search.found, (sources / "rps360t.lng").string());
    EXPECT_EQ(search.tried.size(), 4u);
}

// The help collections sit where the language file is installed; a language without help
// of its own shows the English one, and the advanced collection is a file of its own.
TEST(LanguageFileSearch, HelpCollectionsComeFromTheInstalledLayoutWithEnglishForTheRest)
{
    test::TempFolder root;
    const fs::path bin = root.path() / "prefix" / "bin";
    const fs::path share = root.path() / "prefix" / "share" / "rps360t";
    fs::create_directories(bin);
    fs::create_directories(share);
    EXPECT_EQ(findHelpCollection(bin.string(), "English", false), "");

    test::writeBytes((share / "RPS360T_E_en.qhc").string(), {'x'});
    test::writeBytes((share / "RPS360T_E_adv_en.qhc").string(), {'x'});
    test::writeBytes((share / "RPS360T_E_ge.qhc").string(), {'x'});
    EXPECT_TRUE(
        fs::equivalent(findHelpCollection(bin.string(), "Spanish", false), share / "RPS360T_E_en.qhc"));
    EXPECT_TRUE(
        fs::equivalent(findHelpCollection(bin.string(), "German", false), share / "RPS360T_E_ge.qhc"));
    EXPECT_TRUE(
        fs::equivalent(findHelpCollection(bin.string(), "German", true), share / "RPS360T_E_adv_en.qhc"));

    // Beside the program wins, as for the language file.
    test::writeBytes((bin / "RPS360T_E_en.qhc").string(), {'x'});
    EXPECT_TRUE(fs::equivalent(findHelpCollection(bin.string(), "English", false), bin / "RPS360T_E_en.qhc"));
}

} // namespace
} // namespace rps
