#include "model/ModelTable.h"
#include "model/ConfigImage.h"

#include <gtest/gtest.h>

using namespace rps;

TEST(ModelTable, KnowsEveryModelCodeAndRefusesUnknownOnes)
{
    for (uint16_t code : {0x0400, 0x0402, 0x0403, 0x0600, 0x0700, 0x0702, 0x0703}) {
        const ModelBlock block = ModelBlock::fromModelCode(code);
        EXPECT_TRUE(isModelBlockValid(block)) << std::hex << code;
    }
    EXPECT_FALSE(isModelBlockValid(ModelBlock::fromModelCode(0x0500)));
    ModelBlock wrongBand = ModelBlock::fromModelCode(0x0400);
    wrongBand.setModelCode(0x0700); // a VHF identifier with a UHF band
    EXPECT_FALSE(isModelBlockValid(wrongBand));
}

TEST(ModelTable, VariantTwoIsValidButNotAcceptedForOpen)
{
    const ModelBlock e = ModelBlock::fromModelCode(0x0402);
    EXPECT_EQ(findModelRow(e), 1);
    EXPECT_EQ(findBandRow(e.modelCode()), 1);
    EXPECT_FALSE(isAcceptedForOpen(e));
    EXPECT_TRUE(isAcceptedForOpen(ModelBlock::fromModelCode(0x0400)));
    ModelBlock reserved = ModelBlock::fromModelCode(0x0700);
    std::array<uint8_t, 16> raw{};
    std::copy(reserved.bytes().begin(), reserved.bytes().end(), raw.begin());
    raw[12] = 0x00;
    EXPECT_FALSE(isAcceptedForOpen(ModelBlock(raw)));
}

TEST(ModelTable, NamesForTitleTreeAndReports)
{
    EXPECT_EQ(displayName(0), "QLM-640: K");
    EXPECT_EQ(modelDescription(0, 0), "QLM-640: K  VHF: 136-174 MHz");
    EXPECT_EQ(modelDescription(3, 4), "QLM-940: K  UHF: 400-470 MHz");
    EXPECT_EQ(shortTitle(3, 3), "QLM-940: K [UHF]");
}

TEST(ModelTable, RecognisesTheUnprogrammedUnitByItsFirstTwelveBytes)
{
    auto record = kUnprogrammedUnitCode;
    record[14] = 0x55; // bytes after the twelfth do not matter
    EXPECT_EQ(identifyRepeater(record), 0);
    EXPECT_EQ(identifyRepeater(ModelBlock::fromModelCode(0x0703).bytes()), 6);
    record[3] = 'X';
    EXPECT_EQ(identifyRepeater(record), -1);
}

TEST(ModelTable, ModelInformationChoices)
{
    EXPECT_EQ(offeredModelRows(), (std::vector<int>{0, 3}));
    EXPECT_EQ(allowedBandRows(3), (std::vector<int>{3, 4}));
    EXPECT_EQ(defaultBandRow(3), 4);
    EXPECT_EQ(defaultBandRow(0), 0);
}

TEST(ConfigImage, LocalBlockAloneDoesNotMakeTheImageModified)
{
    ConfigImage image;
    image.markClean();
    image.local()[5] = 0x12;
    EXPECT_FALSE(image.isModified());
    image.aux()[5] = 0x12;
    EXPECT_TRUE(image.isModified());
}

TEST(ConfigImage, AskingIsModifiedLeavesTheSnapshotAlone)
{
    ConfigImage image;
    image.markClean();
    image.snapshot().main[0] = 0x42; // a load staged in the snapshot
    image.main()[1] = 0x00;
    EXPECT_TRUE(image.isModified());
    EXPECT_EQ(image.snapshot().main[0], 0x42);
    image.restoreSnapshot();
    EXPECT_EQ(image.main()[0], 0x42);
    EXPECT_EQ(image.main()[1], 0xFF);
}
