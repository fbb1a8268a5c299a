#include "model/ModelChange.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/ModelTable.h"

#include <gtest/gtest.h>

using namespace rps;

namespace {

const InstallationId kId{};

ConfigImage editedImage(uint16_t code)
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(code));
    newImage(image, kId);
    ModelBlock block = readModelBlock(image.main());
    block.setReadPasswordEmpty(false); // a read authorization password is set
    writeModelBlock(image.main(), block);
    image.main()[0x1000] = 0x42; // a channel record
    image.main()[0x0282] = 0x00; // TX standby on
    image.markClean();
    return image;
}

} // namespace

TEST(ModelChange, ClassifiesByCodeAndVariantAndAsksTheRightQuestion)
{
    EXPECT_EQ(classifyModelChange(0x0700, 0x0700), ModelChangeKind::SameCode);
    EXPECT_EQ(classifyModelChange(0x0700, 0x0600), ModelChangeKind::SameVariant);
    EXPECT_EQ(classifyModelChange(0x0402, 0x0400), ModelChangeKind::OtherVariant);
    EXPECT_EQ(modelChangeQuestion(ModelChangeKind::SameCode), 0);
    EXPECT_EQ(modelChangeQuestion(ModelChangeKind::SameVariant), 796);
    EXPECT_EQ(modelChangeQuestion(ModelChangeKind::OtherVariant), 783);
}

TEST(ModelChange, OtherBandKeepsDataRechecksChannelsAndRebuildsFrequencyTables)
{
    ConfigImage image = editedImage(0x0700);
    FrequencyLimits limits = FrequencyLimits::forModelCode(0x0700, true);
    double recheckedUpper = 0;
    applyModelChange(image, 0x0600, limits, kId,
                     [&](const FrequencyLimits& l) { recheckedUpper = l.upperMHz; });

    EXPECT_EQ(recheckedUpper, 520.0);
    EXPECT_EQ(limits.lowerMHz, 450.0);
    EXPECT_TRUE(limits.fineStep);
    const ModelBlock block = readModelBlock(image.main());
    EXPECT_EQ(block.modelCode(), 0x0600);
    EXPECT_FALSE(block.readPasswordEmpty());
    EXPECT_EQ(image.main()[0x1000], 0x42);
    EXPECT_EQ(image.main()[0x0282], 0xFF);
    EXPECT_EQ(getU32(image.main(), 0x0100), 485050000u);
    EXPECT_EQ(getU32(image.main(), 0x03C0), 450050000u);
    EXPECT_TRUE(image.isModified());
}

TEST(ModelChange, SameCodeOnlyRestoresTheModelAndStandbyDefault)
{
    ConfigImage image = editedImage(0x0400);
    image.main()[0x0100] = 0x00; // an edited test frequency survives
    FrequencyLimits limits;
    bool rechecked = false;
    applyModelChange(image, 0x0400, limits, kId, [&](const FrequencyLimits&) { rechecked = true; });
    EXPECT_FALSE(rechecked);
    EXPECT_EQ(image.main()[0x0100], 0x00);
    EXPECT_EQ(image.main()[0x0282], 0xFF);
    EXPECT_EQ(image.main()[0x1000], 0x42);
}

TEST(ModelChange, OtherDestinationRebuildsTheWholeImage)
{
    ConfigImage image = editedImage(0x0402);
    FrequencyLimits limits;
    applyModelChange(image, 0x0700, limits, kId, nullptr);
    const ModelBlock block = readModelBlock(image.main());
    EXPECT_EQ(block.identifier(), "RQLM0940");
    EXPECT_EQ(block.modelCode(), 0x0700);
    EXPECT_EQ(block.optionFlags(), 0xFFFF);
    EXPECT_TRUE(block.reservedBytesEmpty());
    EXPECT_EQ(image.main()[0x1000], 0xFF);
    EXPECT_EQ(getU32(image.main(), 0x0100), 435050000u);
    EXPECT_TRUE(limits.uhf);
    EXPECT_TRUE(image.isModified());
}
