// The read-back after a write, and the serial trace, against the simulated repeater.
#include "TestPaths.h"
#include "TransferRig.h"

#include "link/LinkTexts.h"
#include "link/LinkTrace.h"
#include "link/ProtocolBytes.h"
#include "model/DefaultBuilder.h"
#include "model/FeatureMap.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace rps::test {
namespace {

ConfigImage imageFor(uint16_t modelCode)
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, InstallationId{});
    return image;
}

long countOf(const std::vector<uint8_t>& log, uint8_t command)
{
    return std::count(log.begin(), log.end(), command);
}

WriteOptions verifying()
{
    WriteOptions options;
    options.verify = true;
    options.fieldName = [](bool aux, std::size_t offset) {
        return !aux && offset == 0x1000 ? std::string("Channel 1 \"Receive Frequency\"") : std::string();
    };
    return options;
}

TEST(WriteReadBack, ReadsEveryWrittenBlockAndWindowOnceInTheSameSession)
{
    TransferRig rig;
    ConfigImage image = imageFor(0x0400);
    image.main()[0x1000] = 0x12;
    ASSERT_EQ(runWriteTransfer(rig.context, image, verifying()), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());
    const std::vector<uint8_t>& log = rig.repeater.commandLog();
    // One mode entry and one session: 160 block reads and the four written windows, no more.
    EXPECT_EQ(countOf(log, proto::kBlockRead), 160);
    EXPECT_EQ(countOf(log, proto::kMemoryRead), 4);
    EXPECT_EQ(countOf(log, proto::kIdentify), 1);
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
    const auto firstRead = std::find(log.begin(), log.end(), proto::kBlockRead);
    EXPECT_EQ(std::count(firstRead, log.end(), proto::kBlockWrite), 0) << "reads follow the whole write";
    EXPECT_EQ(rig.steps.back(), std::make_pair(kReadBackSteps, kReadBackSteps));
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(WriteReadBack, ABlockStoredWronglyFailsTheWriteNamingBlockAndField)
{
    sim::SimConfig config;
    config.faults.storeWrongBlock = 16;
    TransferRig rig(config);
    ConfigImage image = imageFor(0x0400);
    image.main()[0x1000] = 0x12;
    image.main()[0x1001] = 0x34;
    EXPECT_EQ(runWriteTransfer(rig.context, image, verifying()), kLinkFailed);
    ASSERT_EQ(rig.dialogs.asked.size(), 1u);
    const std::string& text = rig.dialogs.asked.front().text;
    EXPECT_EQ(text.find(T(491)), 0u) << text;
    EXPECT_NE(text.find("T492"), std::string::npos);
    EXPECT_NE(text.find("0x1000: T494 - Channel 1 \"Receive Frequency\""), std::string::npos) << text;
    EXPECT_EQ(rig.dialogs.asked.front().caption, T(768));
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
    EXPECT_FALSE(rig.link.isOpen());

    // Without the read-back the same repeater reports success, as the write always did.
    TransferRig unchecked(config);
    ConfigImage again = imageFor(0x0400);
    again.main()[0x1000] = 0x12;
    EXPECT_EQ(runWriteTransfer(unchecked.context, again, WriteOptions{}), kLinkOk);
    EXPECT_EQ(countOf(unchecked.repeater.commandLog(), proto::kBlockRead), 0);
}

TEST(WriteReadBack, ReportGroupsBytesByBlockOrWindowAndElidesLongRuns)
{
    std::vector<uint8_t> sentMain(kMainSize, 0xFF), readMain = sentMain;
    std::vector<uint8_t> sentAux(1024, 0xFF), readAux = sentAux;
    for (std::size_t i = 0; i < 10; ++i)
        readMain[0x2000 + i] = 0x00;
    readMain[0x20FF] = 0x01;
    readAux[0x0105] = 0x02;
    const std::vector<ReadBackBlock> blocks = readBackDifferences(sentMain, readMain, sentAux, readAux);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_FALSE(blocks[0].aux);
    EXPECT_EQ(blocks[0].block, 0x20u);
    EXPECT_EQ(blocks[0].offsets.size(), 11u);
    EXPECT_TRUE(blocks[1].aux);
    EXPECT_EQ(blocks[1].block, 1u);

    LanguageTable texts;
    texts.loadText("*Language,English\n", "English");
    const std::string report =
        readBackReport(texts, texts::kReadBackDiffers, blocks, sentMain, readMain, sentAux, readAux, nullptr);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2 + 8 + 1 + 2 + 1) << report;
    EXPECT_NE(report.find("0x2007"), std::string::npos);
    EXPECT_EQ(report.find("0x2008"), std::string::npos) << "only the first eight bytes of a block are listed";
    EXPECT_NE(report.find("0x0105"), std::string::npos);

    // In English each byte reads as it was sent and read back, named by the field that holds it.
    LanguageTable english;
    english.loadFile(kLanguageFile, "English");
    const std::string named = readBackReport(
        english, texts::kReadBackDiffers, blocks, sentMain, readMain, sentAux, readAux,
        [](bool aux, std::size_t offset) { return aux ? std::string() : "byte " + std::to_string(offset); });
    EXPECT_NE(named.find("\n  0x2000: sent 0xFF, read back 0x00 - byte 8192\n"), std::string::npos) << named;
    EXPECT_NE(
        named.find(
            "Auxiliary window 1 (0x0100-0x01FF): 1 byte(s) differ\n  0x0105: sent 0xFF, read back 0x02"),
        std::string::npos)
        << named;
}

std::string hexOf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        char byte[4];
        std::snprintf(byte, sizeof byte, " %02X", static_cast<uint8_t>(c));
        out += byte;
    }
    return out;
}

TEST(SerialTrace, AWriteShowsEveryFramePlainWithThePasswordsMasked)
{
    sim::SimConfig config;
    config.writePassword = std::array<uint8_t, 6>{'W', 'P', 'A', 'S', 'S', '7'};
    TransferRig rig(config);
    rig.dialogs.passwords.push_back("WPASS7");
    std::ostringstream out;
    double now = 0;
    LinkTrace trace(out, [&now] { return now += 0.001; });
    rig.link.setTrace(&trace);
    ConfigImage image = imageFor(0x0400);
    std::copy_n("RDPW01", 6, image.main().begin() + feature::kReadPassword);
    std::copy_n("OVPW02", 6, image.main().begin() + feature::kOverwritePassword);
    image.main()[0x1000] = 0x12;
    ASSERT_EQ(runWriteTransfer(rig.context, image, verifying()), kLinkOk);
    trace.flush();
    const std::string text = out.str();

    EXPECT_NE(text.find("PC>" + hexOf("PROGRAM")), std::string::npos);
    EXPECT_NE(text.find("PC> 03 ** ** ** ** ** **"), std::string::npos) << "the write password frame";
    for (std::string_view secret : {"WPASS7", "RDPW01", "OVPW02"})
        EXPECT_EQ(text.find(hexOf(secret)), std::string::npos) << secret;
    // Scrambled frames are shown as the protocol bytes: block 16 written and read back.
    EXPECT_NE(text.find("PC> 57 00 10"), std::string::npos);
    EXPECT_NE(text.find("PC> 52 00 10"), std::string::npos);
    EXPECT_NE(text.find("<RP 06"), std::string::npos);
    // Every line starts with its time; the other lines are frames of one direction.
    std::istringstream lines(text);
    std::string line;
    int frames = 0;
    while (std::getline(lines, line)) {
        ++frames;
        EXPECT_TRUE(line.find("  PC> ") == 12 || line.find("  <RP ") == 12 || line.find("  --  ") == 12)
            << line;
    }
    EXPECT_GT(frames, 2 * (160 + 160));
}

} // namespace
} // namespace rps::test
