#include "ChannelTestImage.h"
#include "model/records/ChannelCodes.h"

#include <gtest/gtest.h>

using namespace rps;
using rps::test::ChannelTestImage;

namespace F = rps::ChannelField;

TEST(ChannelConsistency, RxEqualTxForcesMode1AndLeavingItForcesMode256)
{
    ChannelTestImage t;
    t.program(0, "150", "150");
    EXPECT_EQ(getU16(t.record(0), F::kOperationMode), kOperationMode1);
    // Mode 1 allows scan add, key data and encryption on a digital channel.
    EXPECT_TRUE(t.editor.setFlag(0, kItemScanAdd, true).changed);
    t.editor.setKeyData(0, "1234");
    t.editor.setFlag(0, kItemEncryption, true);
    ASSERT_EQ(t.record(0)[F::kScanAdd], 1);
    ASSERT_TRUE(t.editor.store().encryptionOn(0));

    t.editor.setFrequency(0, true, "155", true);
    EXPECT_EQ(getU16(t.record(0), F::kOperationMode), kOperationMode256);
    EXPECT_EQ(t.record(0)[F::kScanAdd], 0);
    EXPECT_EQ(getU16(t.record(0), F::kKeyData), 0xFFFF);
    EXPECT_FALSE(t.editor.store().encryptionOn(0));
}

TEST(ChannelConsistency, ModeIsKeptWhenTxMovesBetweenTwoOtherFrequencies)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.editor.setChoice(0, kItemOperationMode, kOperationMode0);
    t.editor.setFrequency(0, true, "156", true);
    EXPECT_EQ(getU16(t.record(0), F::kOperationMode), kOperationMode0);
}

TEST(ChannelConsistency, ClearingTxTurnsOffItsCodesAndCwId)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.editor.setChoice(0, kItemChannelType, kTypeMixed);
    t.editor.setQtDqt(0, false, "88.5", true);
    t.editor.setRan(0, false, "5", true);
    t.editor.setFlag(0, kItemCwId, true);
    ASSERT_EQ(getU16(t.record(0), F::kQtEncode), 885); // typed decode filled the empty encode
    ASSERT_EQ(getU16(t.record(0), F::kRanEncode), 5);
    t.editor.setFrequency(0, true, "", true);
    EXPECT_EQ(getU16(t.record(0), F::kQtEncode), kCodeOff);
    EXPECT_EQ(getU16(t.record(0), F::kRanEncode), kCodeOff);
    EXPECT_EQ(getU16(t.record(0), F::kQtDecode), 885);
    EXPECT_EQ(t.record(0)[F::kCwId], 0);
    EXPECT_EQ(getU16(t.record(0), F::kOperationMode), kOperationMode1);
}

TEST(ChannelConsistency, ChosenDecodeDoesNotFillTheEncode)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.editor.setChoice(0, kItemChannelType, kTypeAnalog);
    t.editor.setQtDqt(0, false, "D023N", false);
    EXPECT_EQ(getU16(t.record(0), F::kQtEncode), kCodeOff);
    t.editor.setQtDqt(0, false, "D025N", true); // typed while the encode is still off: fills it
    EXPECT_EQ(getU16(t.record(0), F::kQtEncode), 0x2815);
    t.editor.setQtDqt(0, false, "D026N", true);
    EXPECT_EQ(getU16(t.record(0), F::kQtEncode), 0x2815);
}

TEST(ChannelConsistency, ChannelTypeDecidesWhichCodesSurvive)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.editor.setChoice(0, kItemChannelType, kTypeMixed);
    t.editor.setQtDqt(0, false, "67.0", true);
    t.editor.setRan(0, false, "9", true);
    t.editor.setChoice(0, kItemSpacingAnalog, 2);
    t.editor.setChoice(0, kItemTransmitMode, 0);

    t.editor.setChoice(0, kItemChannelType, kTypeNxdn);
    auto r = t.record(0);
    EXPECT_EQ(getU16(r, F::kQtDecode), kCodeOff);
    EXPECT_EQ(getU16(r, F::kQtEncode), kCodeOff);
    EXPECT_EQ(getU16(r, F::kRanDecode), 9);
    EXPECT_EQ(r[F::kTransmitMode], kTypeNxdn);
    EXPECT_EQ(r[F::kSpacingAnalog], 0);
    EXPECT_EQ(r[F::kSpacingNxdn], 1);

    // Choosing the same type again reruns nothing.
    t.editor.setChoice(0, kItemSpacingNxdn, 0);
    EXPECT_FALSE(t.editor.setChoice(0, kItemChannelType, kTypeNxdn).changed);
    EXPECT_EQ(r[F::kSpacingNxdn], 0);

    t.editor.setChoice(0, kItemChannelType, kTypeAnalog);
    EXPECT_EQ(getU16(r, F::kRanDecode), kCodeOff);
    EXPECT_EQ(getU16(r, F::kRanEncode), kCodeOff);
}

TEST(ChannelConsistency, MultiTableNeedsEntriesForTheTypeAndADecodeCode)
{
    ChannelTestImage t;
    t.image.main()[kMultiAnalogCountOffset + 2] = 4; // table 3: analog entries
    t.program(0, "150", "155");
    t.editor.setChoice(0, kItemChannelType, kTypeAnalog);
    t.editor.setQtDqt(0, false, "100.0", true);
    EXPECT_EQ(t.editor.multiTableChoices(0), (std::vector<int>{0, 3}));
    t.editor.setMultiTable(0, 3);
    EXPECT_EQ(t.record(0)[F::kMultiTable], 3);
    EXPECT_TRUE(t.editor.isEnabled(0, kItemEncodeToneMultiple));
    t.editor.setQtDqt(0, false, t.editor.offText(), true);
    EXPECT_EQ(t.record(0)[F::kMultiTable], 0);
    EXPECT_FALSE(t.editor.isEnabled(0, kItemMultiTable));
}

TEST(ChannelEnable, EmptyChannelOffersOnlyChannelAndReceiveFrequency)
{
    ChannelTestImage t;
    for (int item = 0; item < kChannelItemCount; ++item)
        EXPECT_EQ(t.editor.isEnabled(3, item), item == kItemChannel || item == kItemRxFrequency) << item;
}

TEST(ChannelEnable, TypeAndTransmitterGateTheCodeFields)
{
    ChannelTestImage t;
    t.program(0, "150");
    EXPECT_FALSE(t.editor.isEnabled(0, kItemQtDecode)); // new channels are NXDN
    EXPECT_TRUE(t.editor.isEnabled(0, kItemRanDecode));
    EXPECT_FALSE(t.editor.isEnabled(0, kItemRanEncode)); // no transmitter
    EXPECT_FALSE(t.editor.isEnabled(0, kItemTxPower));
    EXPECT_FALSE(t.editor.isEnabled(0, kItemOperationMode));
    t.editor.setFrequency(0, true, "155", true);
    EXPECT_TRUE(t.editor.isEnabled(0, kItemRanEncode));
    EXPECT_TRUE(t.editor.isEnabled(0, kItemOperationMode));
    EXPECT_FALSE(t.editor.isEnabled(0, kItemTransmitMode));
    t.editor.setChoice(0, kItemChannelType, kTypeMixed);
    EXPECT_TRUE(t.editor.isEnabled(0, kItemTransmitMode));
    EXPECT_TRUE(t.editor.isEnabled(0, kItemQtEncode));
    EXPECT_FALSE(t.editor.isEnabled(0, kItemEncryption)); // mode 256
    EXPECT_TRUE(t.editor.isEnabled(0, kItemUserLimit));
}

TEST(ChannelChoices, ListsFollowModelTypeAndFrequencies)
{
    ChannelTestImage vhf;
    vhf.program(0, "150", "150");
    EXPECT_EQ(vhf.editor.choices(0, kItemOperationMode).size(), 1u);
    const auto analogNxdn = vhf.editor.choiceTexts(0, kItemSpacingAnalog);
    EXPECT_EQ(analogNxdn, (std::vector<std::string>{"T914", "T915", "T932"}));

    ChannelTestImage variant(0x0702);
    variant.program(0, "440", "445");
    variant.editor.setChoice(0, kItemChannelType, kTypeAnalog);
    EXPECT_EQ(variant.editor.choiceTexts(0, kItemSpacingAnalog),
              (std::vector<std::string>{"T916", "T917", "T915"}));
    EXPECT_EQ(variant.editor.choiceTexts(0, kItemOperationMode).size(), 3u);
    EXPECT_EQ(variant.editor.choiceTexts(0, kItemQtDecode).size(), 206u);
    EXPECT_EQ(variant.editor.choiceTexts(0, kItemQtDecode).front(), "T849");
}
