// The backups folder: names, modes, listing and pruning.
#include "document/Backups.h"

#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace rps::backup {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "rps-backups-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
    fs::path path;
};

unsigned modeOf(const fs::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

std::array<uint8_t, 32> unitRecord(std::string_view serial)
{
    std::array<uint8_t, 32> record{};
    record.fill(0x10);
    std::fill(record.begin() + 16, record.begin() + 28, 0xFF);
    std::copy(serial.begin(), serial.end(), record.begin() + 16);
    return record;
}

std::unique_ptr<ConfigImage> imageFor(uint16_t modelCode)
{
    auto image = std::make_unique<ConfigImage>();
    image->clear();
    writeModelBlock(image->main(), ModelBlock::fromModelCode(modelCode));
    newImage(*image, InstallationId{});
    return image;
}

constexpr int64_t kNow = 1'796'635'045; // 2026-12-07 09:17:25
constexpr int64_t kDay = 86400;

TEST(Backups, RootFollowsTheDataHomeOrTheHomeFolder)
{
    EXPECT_EQ(backupsRoot(std::string("/data"), "/home/u"), "/data/rps360t/backups");
    EXPECT_EQ(backupsRoot(std::string(), "/home/u"), "/home/u/.local/share/rps360t/backups");
    EXPECT_EQ(backupsRoot(std::nullopt, "/home/u"), "/home/u/.local/share/rps360t/backups");
}

TEST(Backups, UnitNamesTakeTheSerialWithErasedBytesAsBlanks)
{
    auto image = imageFor(0x0600);
    const auto model = image->main().subspan(kModelBlockOffset, kModelBlockSize);
    EXPECT_EQ(unitName(model, unitRecord("SN0000360123")), "QLM-940-SN0000360123");
    EXPECT_EQ(unitName(model, unitRecord("  AB 12")), "QLM-940-AB_12");
    EXPECT_EQ(unitName(model, unitRecord("A/B")), "QLM-940-A_B") << "never a path separator";
    // Letters and digits at both ends of their ranges stay as they are; whatever else is '_'.
    EXPECT_EQ(unitName(model, unitRecord("az09AZ-.z")), "QLM-940-az09AZ-.z");
    EXPECT_EQ(unitName(model, unitRecord("`{@[:/")), "QLM-940-______");
    EXPECT_EQ(unitName(model, unitRecord("")), "QLM-940-unknown");
    EXPECT_EQ(unitName(model, {}), "QLM-940-unknown");
}

TEST(Backups, FileNamesCarryTheLocalTimeAndAreReadBack)
{
    EXPECT_EQ(fileName(kNow), "20261207-091725.dat");
    EXPECT_EQ(timeText(kNow), "2026-12-07 09:17:25");
    EXPECT_EQ(fileTime("20261207-091725.dat"), kNow);
    EXPECT_EQ(fileTime("20261207-091725-2.dat"), kNow);
    for (const char* other : {"notes.txt", "20261207-091725.tun", "2026120-0917250.dat",
                              "20261207-09172x.dat", "20261207-091725-.dat", "20261207-091725x2.dat"})
        EXPECT_FALSE(fileTime(other).has_value()) << other;
}

TEST(Backups, ASavedBackupIsPrivateAndAnOpenableDataFile)
{
    TempFolder temp;
    const std::string root = (temp.path / "data" / "rps360t" / "backups").string();
    auto image = imageFor(0x0400);
    image->main()[0x1000] = 0x42;
    const std::array<uint8_t, 64> before = [&] {
        std::array<uint8_t, 64> bytes{};
        std::copy_n(image->main().begin() + 0x240, 64, bytes.begin());
        return bytes;
    }();
    const Saved first = saveBackup(root, "QLM-640-SN1", image->working(), SaveOptions{}, kNow, Policy{});
    const Saved second = saveBackup(root, "QLM-640-SN1", image->working(), SaveOptions{}, kNow, Policy{});
    ASSERT_FALSE(first.path.empty()) << first.systemError;
    EXPECT_EQ(fs::path(first.path).filename(), "20261207-091725.dat");
    EXPECT_EQ(fs::path(second.path).filename(), "20261207-091725-2.dat");
    EXPECT_EQ(modeOf(first.path), 0600u);
    EXPECT_EQ(modeOf(fs::path(root) / "QLM-640-SN1"), 0700u);
    EXPECT_EQ(modeOf(root), 0700u);
    EXPECT_EQ(modeOf(fs::path(root).parent_path()), 0700u);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image->main().begin() + 0x240))
        << "the image itself is not stamped";

    auto opened = std::make_unique<ConfigImage>();
    ASSERT_EQ(loadImage(first.path, *opened).code, kLoadOk);
    EXPECT_EQ(opened->snapshot().main[0x1000], 0x42);

    const std::vector<Entry> listed = listBackups(root);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].unit, "QLM-640-SN1");
    EXPECT_EQ(listed[0].time, kNow);
}

TEST(Backups, PruningKeepsRecentDaysThenTheNewestFewAndAlwaysEachUnitsNewest)
{
    TempFolder temp;
    const fs::path unit = temp.path / "QLM-640-SN1";
    const fs::path lone = temp.path / "QLM-640-SN2";
    fs::create_directories(unit);
    fs::create_directories(lone);
    const auto touch = [](const fs::path& path) { std::ofstream(path) << "x"; };
    // Five within the last 30 days, five older ones.
    for (int day : {0, 1, 10, 29, 30, 31, 40, 50, 60, 70})
        touch(unit / fileName(kNow - day * kDay + (day == 30 ? 60 : 0)));
    touch(unit / "notes.txt");
    touch(lone / fileName(kNow - 400 * kDay));

    const Policy policy{30, 7};
    pruneUnit(unit.string(), kNow, policy);
    pruneUnit(lone.string(), kNow, policy);
    std::vector<std::string> kept;
    for (const Entry& entry : listBackups(temp.path.string()))
        kept.push_back(fs::path(entry.path).filename().string());
    EXPECT_EQ(kept, (std::vector<std::string>{fileName(kNow), fileName(kNow - kDay),
                                              fileName(kNow - 10 * kDay), fileName(kNow - 29 * kDay),
                                              fileName(kNow - 30 * kDay + 60), fileName(kNow - 31 * kDay),
                                              fileName(kNow - 40 * kDay), fileName(kNow - 400 * kDay)}));
    EXPECT_TRUE(fs::exists(unit / "notes.txt")) << "only backups are pruned";

    // With every backup old, the count alone decides; the newest stays even at a count of 0.
    pruneUnit(unit.string(), kNow + 1000 * kDay, Policy{30, 0});
    EXPECT_EQ(listBackups(unit.parent_path().string()).size(), 2u);
}

} // namespace
} // namespace rps::backup
