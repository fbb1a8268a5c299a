#include "service/TuningItems.h"

#include <gtest/gtest.h>

#include <set>

using namespace rps;

TEST(TuningItemTable, NinetyRowsCoverEveryKeyOncePerModelGroup)
{
    EXPECT_EQ(tuningItems().size(), 90u);
    for (uint16_t code : {uint16_t{0x0400}, uint16_t{0x0402}}) {
        std::set<int> keys;
        for (const TuningItem* item : tuningItemsForModel(code))
            EXPECT_TRUE(keys.insert(item->key).second) << "key " << item->key << " listed twice";
        EXPECT_EQ(*keys.rbegin(), 71);
        // The first group lists the "first group" keys as well.
        EXPECT_EQ(keys.size(), code == 0x0402 ? 72u : 55u);
    }
    for (const TuningItem& item : tuningItems()) {
        EXPECT_NE(item.commands[static_cast<std::size_t>(tuningPointCount(item) - 1)], 0) << item.key;
        EXPECT_TRUE(item.width == 1 || item.width == 2);
    }
}

TEST(TuningItemTable, ModelGroupSelectsListedKeysAndNameTexts)
{
    EXPECT_NE(tuningItemForKey(10, 0x0402), nullptr);
    EXPECT_NE(tuningItemForKey(10, 0x0702), nullptr);
    EXPECT_EQ(tuningItemForKey(10, 0x0400), nullptr);
    EXPECT_EQ(tuningItemForKey(9, 0x0402)->nameText, 445);
    EXPECT_EQ(tuningItemForKey(9, 0x0400)->nameText, 399);
    EXPECT_EQ(tuningItemForKey(68, 0x0400)->nameText, 371);
    EXPECT_EQ(tuningItemForKey(43, 0x0400)->secondCommands[3], 0x6E);
}

TEST(TuningItemTable, PointsLayoutsAndLabels)
{
    const TuningItem& key2 = *tuningItemForKey(2, 0x0400);
    EXPECT_EQ(spacingLetter(key2.spacing), 'G');
    EXPECT_EQ(tuningCommand(key2, 3), 0x36);
    EXPECT_EQ(tuningPointLabels(key2).size(), 6u);
    EXPECT_EQ(tuningLayout(key2), TuningLayout::LockVoltage);
    EXPECT_EQ(tuningApplyText(key2), 48);

    const TuningItem& key0 = *tuningItemForKey(0, 0x0400);
    EXPECT_EQ(tuningPointLabels(key0), (std::vector<int>{692, 699, 727, 701, 700, 728, 702}));

    const TuningItem& key71 = *tuningItemForKey(71, 0x0400);
    EXPECT_EQ(tuningLayout(key71), TuningLayout::TwoValues);
    EXPECT_EQ(tuningValueCount(key71), 2);
    EXPECT_EQ(tuningCurrentLabelText(key71), 726);
    EXPECT_EQ(tuningApplyText(key71), 47);
    EXPECT_EQ(tuningLayout(*tuningItemForKey(7, 0x0400)), TuningLayout::Automatic);
    EXPECT_EQ(tuningCurrentLabelText(*tuningItemForKey(17, 0x0400)), 726);
    EXPECT_EQ(tuningCurrentLabelText(*tuningItemForKey(4, 0x0400)), 690);
    EXPECT_EQ(spacingLetter(4), 'C');
}

TEST(TuningRangeCode4, RawAndShownValuesMapBothWays)
{
    EXPECT_EQ(tuningShownValue(4, 0), -62);
    EXPECT_EQ(tuningShownValue(4, 62), 0);
    EXPECT_EQ(tuningShownValue(4, 63), 2);
    EXPECT_EQ(tuningShownValue(4, 122), 61);
    EXPECT_EQ(tuningShownValue(4, 123), 62);
    EXPECT_EQ(tuningRawValue(4, 1), 62);
    EXPECT_EQ(tuningRawValue(4, 0), 62);
    EXPECT_EQ(tuningRawValue(4, 2), 63);
    EXPECT_EQ(tuningRawValue(4, -62), 0);
    EXPECT_EQ(tuningRawValue(4, -70), 0);
    EXPECT_EQ(tuningRawValue(4, 70), 124);
}

TEST(TuningRangeCode4, StepsMoveTheRawValueSoTheyNeverStickAtZero)
{
    // Shown 0 (raw 62) stepped up reaches shown 2; stepped back reaches shown 0 again.
    EXPECT_EQ(tuningShownValue(4, *tuningStepRaw(4, 62, +1)), 2);
    EXPECT_EQ(tuningShownValue(4, *tuningStepRaw(4, 63, -1)), 0);
    EXPECT_EQ(tuningStepRaw(4, 123, +1), std::nullopt);
    EXPECT_EQ(tuningStepRaw(4, 0, -1), std::nullopt);
    EXPECT_EQ(tuningStepRaw(2, 4095, +1), std::nullopt);
    EXPECT_EQ(tuningStepRaw(0, 255, -5), 250);
}

TEST(TuningRangeCodes, LimitsAndOffsets)
{
    EXPECT_EQ(tuningRange(1).rawMax, 1023);
    EXPECT_EQ(tuningRange(3).rawMax, 65535);
    EXPECT_EQ(tuningShownValue(5, 0), -128);
    EXPECT_EQ(tuningRawValue(5, -1), 127);
    EXPECT_EQ(tuningShownValue(0, 200), 200);
}
