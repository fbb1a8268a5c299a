#include "ChannelTestImage.h"

#include <gtest/gtest.h>

using namespace rps;
using rps::test::ChannelTestImage;

namespace F = rps::ChannelField;

TEST(ChannelFrequencyEntry, FineStepOnlyWithTheStepOption)
{
    ChannelTestImage coarse(0x0400, false);
    coarse.editor.setFrequency(0, false, "150.00125", true);
    EXPECT_EQ(getU32(coarse.record(0), F::kRxFrequency), 150000000u);
    ChannelTestImage fine(0x0400, true);
    fine.editor.setFrequency(0, false, "150.00125", true);
    EXPECT_EQ(getU32(fine.record(0), F::kRxFrequency), 150001250u);
}

TEST(ChannelFrequencyEntry, FarOutsideTheBandTakesTheBandEdgeWithAWarning)
{
    ChannelTestImage t;
    EXPECT_EQ(t.editor.setFrequency(0, false, "300", true).warning, kWarningRxOutOfBand);
    EXPECT_EQ(t.editor.format(0, kItemRxFrequency), "174.000000");
    EXPECT_EQ(t.editor.setFrequency(0, true, "90", true).warning, kWarningTxOutOfBand);
    EXPECT_EQ(t.editor.format(0, kItemTxFrequency), "136.000000");
    EXPECT_EQ(t.editor.setFrequency(1, false, "abc", true).warning, kWarningRxOutOfBand);
    EXPECT_EQ(t.editor.format(1, kItemRxFrequency), "136.000000");
    // Not typed (a pasted or programmatic value): no warning.
    EXPECT_EQ(t.editor.setFrequency(2, false, "300", false).warning, 0);
    EXPECT_EQ(t.editor.setFrequency(3, false, "150", true).warning, 0);
}

TEST(ChannelFrequencyEntry, TransmitOfAnEmptyChannelIsIgnored)
{
    ChannelTestImage t;
    EXPECT_FALSE(t.editor.setFrequency(5, true, "150", true).changed);
    EXPECT_FALSE(t.editor.store().isProgrammed(5));
    EXPECT_FALSE(t.editor.setFrequency(5, false, "", true).changed);
}

TEST(ChannelFrequencyEntry, UhfModelUsesItsOwnBandAndSeparator)
{
    ChannelTestImage t(0x0600);
    ChannelEditor comma(t.image, rps::test::fakeText, t.limits, ',');
    EXPECT_EQ(comma.setFrequency(0, false, "460,0071", true).warning, 0);
    EXPECT_EQ(comma.format(0, kItemRxFrequency), "460,005000");
    EXPECT_EQ(comma.setFrequency(0, true, "440", true).warning, kWarningTxOutOfBand); // below 450 MHz
    EXPECT_EQ(comma.format(0, kItemTxFrequency), "440,000000");
}

TEST(ChannelNameEntry, ReservedNamesAreStoredWithAWarning)
{
    ChannelTestImage t;
    t.program(6, "150");
    EXPECT_EQ(t.editor.format(6, kItemName), " 7");
    EXPECT_EQ(t.editor.setName(6, "PG").warning, kWarningReservedName);
    EXPECT_EQ(t.editor.format(6, kItemName), "PG");
    EXPECT_EQ(t.editor.setName(6, "A").warning, 0);
    EXPECT_EQ(getU16(t.record(6), F::kName), 0x4120);
    t.editor.setName(6, "");
    EXPECT_EQ(getU16(t.record(6), F::kName), 0xFFFF);
}

TEST(ChannelFormat, EmptyChannelShowsOnlyItsNumber)
{
    ChannelTestImage t;
    EXPECT_EQ(t.editor.format(9, kItemChannel), "10");
    for (int item = 1; item < kChannelItemCount; ++item)
        EXPECT_EQ(t.editor.format(9, item), "") << item;
}

TEST(ChannelFormat, ChoiceAndCodeItemsShowTheirLabels)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    EXPECT_EQ(t.editor.format(0, kItemChannelType), "T923");
    EXPECT_EQ(t.editor.format(0, kItemOperationMode), "T892");
    EXPECT_EQ(t.editor.format(0, kItemRanDecode), "T849");
    EXPECT_EQ(t.editor.format(0, kItemMultiTable), "T849");
    EXPECT_EQ(t.editor.format(0, kItemKeyData), "");
    EXPECT_EQ(t.editor.value(0, kItemBeatShift), 0);
    t.editor.setFlag(0, kItemBeatShift, true);
    EXPECT_EQ(t.editor.value(0, kItemBeatShift), 1);
    EXPECT_TRUE(t.editor.setChoiceText(0, kItemChannelType, "T924").changed);
    EXPECT_EQ(t.record(0)[F::kChannelType], kTypeMixed);
}

TEST(ChannelFormat, SpacingIsNamedAsTheChannelsOwnListNamesIt)
{
    // On these models the analog list of an analog channel names value 2 differently from the
    // list of an NXDN channel; the shown text must be an entry of the list the channel offers.
    ChannelTestImage t(0x0402);
    t.program(0, "150", "155");
    t.record(0)[F::kSpacingAnalog] = 2;
    EXPECT_EQ(t.editor.format(0, kItemSpacingAnalog), "T914"); // NXDN channel
    t.editor.setChoice(0, kItemChannelType, kTypeAnalog);
    t.editor.setChoice(0, kItemSpacingAnalog, 2);
    EXPECT_EQ(t.editor.format(0, kItemSpacingAnalog), "T916");
}

TEST(BeatShiftOptions, EachOptionIsOneClearBit)
{
    ChannelTestImage t;
    t.program(0, "150");
    auto r = t.record(0);
    r[F::kBeatShift] = 0xFE;
    t.editor.setBeatShiftOption(0, 3, true);
    EXPECT_EQ(r[F::kBeatShift], 0xF6);
    EXPECT_TRUE(t.editor.beatShiftOption(0, 3));
    EXPECT_FALSE(t.editor.beatShiftOption(0, 2));
    t.editor.setBeatShiftOption(0, 3, false);
    EXPECT_EQ(r[F::kBeatShift], 0xFE);
    r[F::kBeatShift] = 0x3F;
    t.editor.setBeatShiftOption(0, 5, true);
    EXPECT_EQ(r[F::kBeatShift], 0x1F); // bits 6 and 7 are left alone
}

TEST(ModelChangeRecheck, FrequenciesSnapToTheNewBandSteps)
{
    ChannelTestImage t(0x0400, true);
    t.program(0, "150.00125", "150.0025");
    t.program(1, "151");
    const int changed = recheckChannelFrequencies(t.image, FrequencyLimits::forModelCode(0x0400, false));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(getU32(t.record(0), F::kRxFrequency), 150000000u);
    EXPECT_EQ(getU32(t.record(0), F::kTxFrequency), 150002500u);
    EXPECT_EQ(getU32(t.record(1), F::kRxFrequency), 151000000u);
}

TEST(ModelChangeRecheck, UhfValuesKeepTheirHertz)
{
    ChannelTestImage t(0x0600);
    t.editor.setFrequency(0, false, "512.05", true);
    EXPECT_EQ(getU32(t.record(0), F::kRxFrequency), 512050000u);
    EXPECT_EQ(t.editor.format(0, kItemRxFrequency), "512.050000");
    t.program(1, "512.165", "517.035");
    for (uint16_t modelCode : {0x0600, 0x0700}) {
        SCOPED_TRACE(modelCode);
        EXPECT_EQ(recheckChannelFrequencies(t.image, FrequencyLimits::forModelCode(modelCode, false)), 0);
        EXPECT_EQ(getU32(t.record(0), F::kRxFrequency), 512050000u);
        EXPECT_EQ(getU32(t.record(1), F::kRxFrequency), 512165000u);
        EXPECT_EQ(getU32(t.record(1), F::kTxFrequency), 517035000u);
    }
}
