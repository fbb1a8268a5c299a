#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "app/LastModelSetting.h"
#include "app/ProtectCodec.h"
#include "app/WindowPlacement.h"
#include "model/ModelTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace rps {
namespace {

// A scratch folder removed again when the test ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("rps-appcore-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(CommandLine, OptionWordsAndTheirCaseRules)
{
    const AppOptions mixed = scanCommandLine({"MEMMAP", "demo", "supportutility", "C:\\data\\file.dat"});
    EXPECT_TRUE(mixed.memoryMap);
    EXPECT_TRUE(mixed.demo);
    EXPECT_FALSE(mixed.supportUtility);
    EXPECT_FALSE(mixed.fineStep);

    const char* argv[] = {"rps360t", "SupportUtility", "Step", nullptr};
    const AppOptions exact = scanCommandLine(3, argv);
    EXPECT_TRUE(exact.supportUtility);
    EXPECT_TRUE(exact.fineStep);
    EXPECT_FALSE(exact.memoryMap);

    // The program name itself is never taken as an option, and a word must match whole.
    const char* named[] = {"demo", "demos", "memmap=1"};
    const AppOptions none = scanCommandLine(3, named);
    EXPECT_FALSE(none.demo || none.memoryMap || none.supportUtility || none.fineStep);
}

TEST(AppSettings, DefaultsAndFallbacksAtStartUp)
{
    ScratchFolder scratch;
    const DataFolderPlaces places{scratch.path().string(), scratch.path().string()};
    const InstallationId id{};

    MemorySettingsStore empty;
    const AppSettings defaults = loadAppSettings(empty, nullptr, id, places);
    EXPECT_EQ(defaults.comPort, 1);
    EXPECT_EQ(defaults.languageKey, 1);
    EXPECT_EQ(defaults.dataFolder, (scratch.path() / "Zentrel" / "RPS-360T").string());
    EXPECT_TRUE(fs::is_directory(defaults.dataFolder));
    EXPECT_EQ(defaults.security, SecuritySettings{});
    EXPECT_FALSE(defaults.writePreview);

    for (int stored : {25, 0, -3, 21}) {
        MemorySettingsStore store;
        store.writeInt(kSettingComPort, stored);
        EXPECT_EQ(loadAppSettings(store, nullptr, id, places).comPort, 1) << stored;
    }
    MemorySettingsStore twenty;
    twenty.writeInt(kSettingComPort, 20);
    EXPECT_EQ(loadAppSettings(twenty, nullptr, id, places).comPort, 20);

    // A remembered folder that has been deleted gives way to the default data folder.
    const fs::path remembered = scratch.path() / "old-data";
    fs::create_directories(remembered);
    MemorySettingsStore store;
    store.writeString(kSettingLastFilePath, remembered.string());
    EXPECT_EQ(loadAppSettings(store, nullptr, id, places).dataFolder, remembered.string());
    fs::remove(remembered);
    EXPECT_EQ(loadAppSettings(store, nullptr, id, places).dataFolder, defaults.dataFolder);
}

TEST(AppSettings, DefaultDataFolderWithoutDocumentsFolder)
{
    // A home without a documents folder: the home folder, and no documents folder appears.
    ScratchFolder scratch;
    const fs::path home = scratch.path() / "home";
    fs::create_directories(home / "DATA");
    const fs::path documents = home / "Documents";
    EXPECT_EQ(defaultDataFolder({documents.string(), home.string()}), home.string());
    EXPECT_EQ(defaultDataFolder({std::nullopt, home.string()}), home.string());
    EXPECT_FALSE(fs::exists(documents));

    // A documents folder in which the maker folder cannot be made (a file is in the way).
    fs::create_directories(documents);
    std::ofstream(documents / "Zentrel") << "x";
    EXPECT_EQ(defaultDataFolder({documents.string(), home.string()}), home.string());
}

TEST(AppSettings, SaveWritesEveryValueAndLoadReadsItBack)
{
    ScratchFolder scratch;
    const DataFolderPlaces places{scratch.path().string(), scratch.path().string()};
    InstallationId id{};
    for (std::size_t i = 0; i < id.size(); ++i) {
        id[i] = static_cast<uint8_t>(0x30 + 7 * i);
    }
    AppSettings settings;
    settings.comPort = 7;
    settings.comDevice = "/dev/pts/4";
    settings.dataFolder = scratch.path().string();
    settings.security = {"4711", true, true};
    settings.verifyWrite = false;
    settings.backupPolicy = {10, 5};
    settings.writePreview = true;

    MemorySettingsStore store;
    const AppSettings fresh = loadAppSettings(store, nullptr, id, places);
    EXPECT_TRUE(fresh.verifyWrite) << "the read-back is on by default";
    EXPECT_EQ(fresh.backupPolicy.keepDays, 30);
    EXPECT_EQ(fresh.backupPolicy.keepCount, 20);
    const ModelBlock model = ModelBlock::fromModelCode(0x0700);
    saveAppSettings(store, settings, model, "French", id);
    saveWindowPlacement(store, "0:1:-1:-1:-1:-1:10:20:810:620");

    const AppSettings loaded = loadAppSettings(store, nullptr, id, places);
    EXPECT_EQ(loaded.comPort, 7);
    EXPECT_EQ(loaded.comDevice, "/dev/pts/4");
    EXPECT_EQ(loaded.dataFolder, scratch.path().string());
    EXPECT_EQ(loaded.languageKey, 8);
    EXPECT_EQ(loaded.security, settings.security);
    EXPECT_EQ(parseLastModel(loaded.lastModel), model);
    EXPECT_EQ(loaded.lastWinPos, "0:1:-1:-1:-1:-1:10:20:810:620");
    EXPECT_FALSE(loaded.verifyWrite);
    EXPECT_EQ(loaded.backupPolicy.keepDays, 10);
    EXPECT_EQ(loaded.backupPolicy.keepCount, 5);
    EXPECT_TRUE(loaded.writePreview);

    saveAppSettings(store, settings, model, "Klingon", id);
    EXPECT_EQ(store.readInt(kSettingLanguage), 0);
}

TEST(AppSettings, InstallationProtectValueUsedWhileTheUserHasNone)
{
    ScratchFolder scratch;
    const DataFolderPlaces places{scratch.path().string(), scratch.path().string()};
    const InstallationId id{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    MemorySettingsStore installation;
    installation.writeString(kSettingProtect, encodeProtect({"123", true}, id));
    MemorySettingsStore user;
    EXPECT_EQ(loadAppSettings(user, &installation, id, places).security.password, "123");
    user.writeString(kSettingProtect, encodeProtect({}, id));
    EXPECT_EQ(loadAppSettings(user, &installation, id, places).security.password, "");
}

TEST(AppSettings, InstallationIdMadeOnceAndKept)
{
    MemorySettingsStore store;
    int calls = 0;
    const auto fill = [&](std::span<uint8_t> bytes) {
        ++calls;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<uint8_t>(0xA0 + i);
        }
    };
    const InstallationId first = loadInstallationId(store, fill);
    const InstallationId second = loadInstallationId(store, fill);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first[11], 0xAB);

    store.writeString(kSettingInstallId, "not an id");
    loadInstallationId(store, fill);
    EXPECT_EQ(calls, 2);
}

TEST(LastModelSetting, OnlyValidModelsAcceptedForOpenAreUsed)
{
    const ModelBlock vhf = ModelBlock::fromModelCode(0x0400);
    const auto used = startupModelFromSetting(formatLastModel(vhf));
    ASSERT_TRUE(used);
    EXPECT_EQ(used->modelCode(), 0x0400);
    EXPECT_EQ(used->optionFlags() & 0x0003, 0x0003);

    const ModelBlock europe = ModelBlock::fromModelCode(0x0402);
    ASSERT_TRUE(isModelBlockValid(europe));
    EXPECT_FALSE(startupModelFromSetting(formatLastModel(europe)));

    EXPECT_FALSE(startupModelFromSetting(""));
    EXPECT_FALSE(startupModelFromSetting(formatLastModel(vhf) + ":00"));
    std::string lower = formatLastModel(vhf);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_TRUE(startupModelFromSetting(lower));
}

TEST(WindowPlacementSetting, TenIntegersOrNothing)
{
    const WindowPlacement placement{0, 3, -1, -1, -8, -8, 100, 50, 1380, 850};
    EXPECT_EQ(parseWindowPlacement(formatWindowPlacement(placement)), placement);
    EXPECT_EQ(formatWindowPlacement(placement), "0:3:-1:-1:-8:-8:100:50:1380:850");
    EXPECT_FALSE(parseWindowPlacement(""));
    EXPECT_FALSE(parseWindowPlacement("0:3:-1:-1:-8:-8:100:50:1380"));
    EXPECT_FALSE(parseWindowPlacement("0:3:-1:-1:-8:-8:100:50:1380:850:1"));
    EXPECT_FALSE(parseWindowPlacement("0:3:-1:-1:-8:-8:100:50:1380:x"));
    EXPECT_FALSE(parseWindowPlacement("0:3:-1:-1:-8:-8:100:50:1380:99999999999"));
}

TEST(LanguageChoice, KeysNamesAndHelpFiles)
{
    EXPECT_STREQ(languageRowForKey(16).name, "Italian");
    EXPECT_STREQ(languageRowForKey(3).name, "English"); // not a key of ours
    EXPECT_EQ(languageKeyForName("Dutch"), 32);
    EXPECT_EQ(languageKeyForName("english"), 0);
    const HelpFiles german = helpFilesFor("/opt/rps360t", "German");
    EXPECT_EQ(german.normal, "/opt/rps360t/RPS360T_E_ge.qhc");
    EXPECT_EQ(german.advanced, "/opt/rps360t/RPS360T_E_adv_ge.qhc");
    EXPECT_EQ(helpFilesFor("/opt/rps360t", "Latin").normal, "/opt/rps360t/RPS360T_E_en.qhc");
}

} // namespace
} // namespace rps
