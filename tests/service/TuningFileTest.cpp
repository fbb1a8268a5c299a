// Tuning data files: the 872-byte layout, the round trip and every refusal.
#include "service/tuning/TuningFile.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace rps::test {
namespace {

TuningData sample()
{
    TuningData data;
    std::iota(data.unit.begin(), data.unit.end(), uint8_t{0x30});
    for (std::size_t i = 0; i < data.block.size(); ++i)
        data.block[i] = static_cast<uint8_t>(i * 13);
    return data;
}

TEST(TuningFile, SavedFileHasTheHeaderAndLoadsBackUnchanged)
{
    TempFolder folder;
    const TuningData data = sample();
    ASSERT_EQ(saveTuningFile(folder.file("a.tun"), data), 0);
    const std::vector<uint8_t> bytes = readBytes(folder.file("a.tun"));
    ASSERT_EQ(bytes.size(), 872u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "RPS-360T");
    EXPECT_EQ(bytes[8], 0xFF);
    EXPECT_EQ(std::string(bytes.begin() + 10, bytes.begin() + 15), "V1.00");
    EXPECT_EQ(bytes[15], 0xFF);
    EXPECT_EQ(bytes[31], 0xFF);
    EXPECT_EQ(bytes[32], 'T');
    EXPECT_EQ(bytes[63], 0xFF);
    EXPECT_EQ(bytes[64], 0x30);
    EXPECT_EQ(bytes[96], data.block[0]);
    EXPECT_EQ(bytes[871], data.block[775]);

    TuningData loaded;
    EXPECT_EQ(loadTuningFile(folder.file("a.tun"), loaded).message, 0);
    EXPECT_EQ(loaded.unit, data.unit);
    EXPECT_EQ(loaded.block, data.block);
}

TEST(TuningFile, RefusedFilesLeaveTheDataAsItWas)
{
    TempFolder folder;
    const auto good = tuningFileBytes(sample());
    const std::vector<uint8_t> whole(good.begin(), good.end());
    auto with = [&](std::size_t at, uint8_t byte) {
        std::vector<uint8_t> b = whole;
        b[at] = byte;
        return b;
    };
    std::vector<uint8_t> longer = whole;
    longer.push_back(0);
    std::vector<uint8_t> family = whole;
    std::copy_n("RPS-560A", 8, family.begin());
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        int message;
    } cases[] = {
        {"short", {whole.begin(), whole.begin() + 871}, 771},
        {"long", longer, 771},
        {"header only", {whole.begin(), whole.begin() + 95}, 771},
        {"data file", with(32, 'D'), 784},
        {"family", family, 794},
        {"foreign", with(0, 'X'), 795},
        {"tag end", with(9, 0x00), 794}, // the product name with another ending
    };
    for (const auto& c : cases) {
        writeBytes(folder.file("x.tun"), c.bytes);
        TuningData data; // all zero
        const TuningLoadResult result = loadTuningFile(folder.file("x.tun"), data);
        EXPECT_EQ(result.message, c.message) << c.name;
        EXPECT_EQ(data.block, TuningBlockBytes{}) << c.name;
        EXPECT_EQ(data.unit, UnitRecord{}) << c.name;
        if (std::string(c.name) == "family") {
            EXPECT_EQ(result.otherProgram, "RPS-560A");
        }
    }
    TuningData data;
    const TuningLoadResult missing = loadTuningFile(folder.file("none.tun"), data);
    EXPECT_EQ(missing.message, 771);
    EXPECT_NE(missing.systemError, 0);
}

TEST(TuningFile, AFailedSaveKeepsThePreviousFile)
{
    TempFolder folder;
    ASSERT_EQ(saveTuningFile(folder.file("a.tun"), sample()), 0);
    EXPECT_NE(saveTuningFile(folder.path().string(), TuningData{}), 0); // a folder
    EXPECT_NE(saveTuningFile(folder.file("no/such/a.tun"), TuningData{}), 0);
    TuningData loaded;
    ASSERT_EQ(loadTuningFile(folder.file("a.tun"), loaded).message, 0);
    EXPECT_EQ(loaded.block, sample().block);
    EXPECT_EQ(folder.entryCount(), 1u);
}

} // namespace
} // namespace rps::test
