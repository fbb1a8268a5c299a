#include "model/FrequencyText.h"

#include <gtest/gtest.h>

using namespace rps;

TEST(FrequencyText, FormatsWithTheGivenSeparatorAndNineCharacterWidth)
{
    EXPECT_EQ(formatFrequency(155050000), "155.050000");
    EXPECT_EQ(formatFrequency(155050000, ','), "155,050000");
    EXPECT_EQ(formatFrequency(5000000), " 5.000000");
    EXPECT_EQ(formatFrequency(kNoFrequency), "");
}

TEST(FrequencyText, ParsesLeadingNumberWithEitherSeparator)
{
    EXPECT_DOUBLE_EQ(parseDecimal("155,0125", ','), 155.0125);
    EXPECT_DOUBLE_EQ(parseDecimal(" 155.0125"), 155.0125);
    EXPECT_DOUBLE_EQ(parseDecimal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal("150MHz"), 150.0);
}

TEST(FrequencyRule, FineStepOnlyWithTheStepOption)
{
    FrequencyLimits vhf = FrequencyLimits::forModelCode(0x0400, false);
    EXPECT_EQ(applyFrequencyRule(150.00125, vhf).hz, 150000000u); // truncated to the 3,125 Hz grid
    vhf.fineStep = true;
    EXPECT_EQ(applyFrequencyRule(150.00125, vhf).hz, 150001250u);
    EXPECT_EQ(applyFrequencyRule(150.0025, vhf).hz, 150002500u);
}

TEST(FrequencyRule, UhfStepsAndTruncation)
{
    const FrequencyLimits uhf = FrequencyLimits::forModelCode(0x0700, false);
    EXPECT_EQ(applyFrequencyRule(435.003125, uhf).hz, 435003125u);
    EXPECT_EQ(applyFrequencyRule(435.005, uhf).hz, 435005000u);
    EXPECT_EQ(applyFrequencyRule(435.0071, uhf).hz, 435005000u);
}

TEST(FrequencyRule, ValuesRoundToTheNearestHertzNotDown)
{
    // 512.05 MHz times a million is 512,049,999.99999994 in binary floating point: cut
    // down it would leave the 5,000 Hz grid and snap to 512.045 MHz.
    struct Case {
        uint16_t modelCode;
        const char* typed;
        uint32_t hz;
    };
    for (const Case c : {Case{0x0600, "512.05", 512050000u}, Case{0x0600, "512,165", 512165000u},
                         Case{0x0600, "519.95", 519950000u}, Case{0x0600, "512.003125", 512003125u},
                         Case{0x0700, "465.05", 465050000u}}) {
        SCOPED_TRACE(c.typed);
        const FrequencyLimits limits = FrequencyLimits::forModelCode(c.modelCode, false);
        EXPECT_EQ(parseFrequency(c.typed, limits, ',').hz, c.hz);
        // A stored value checked again, as after a model change, keeps its hertz.
        EXPECT_EQ(applyFrequencyRule(c.hz / 1e6, limits).hz, c.hz);
    }
}

TEST(FrequencyRule, PlausibilityWindowAndBandWarning)
{
    const FrequencyLimits vhf = FrequencyLimits::forModelCode(0x0400, false);
    auto far = applyFrequencyRule(900.0, vhf);
    EXPECT_EQ(far.hz, 174000000u);
    EXPECT_TRUE(far.outsideBand);
    auto notNumber = parseFrequency("xyz", vhf);
    EXPECT_EQ(notNumber.hz, 136000000u);
    EXPECT_TRUE(notNumber.outsideBand);
    auto inWindow = applyFrequencyRule(200.0, vhf); // outside the band, kept with a warning
    EXPECT_EQ(inWindow.hz, 200000000u);
    EXPECT_TRUE(inWindow.outsideBand);
    EXPECT_FALSE(applyFrequencyRule(155.05, vhf).outsideBand);
    const FrequencyLimits uhf = FrequencyLimits::forModelCode(0x0600, false);
    EXPECT_EQ(applyFrequencyRule(1e300, uhf).hz, 520000000u);
    EXPECT_EQ(applyFrequencyRule(-5, uhf).hz, 450000000u);
}
