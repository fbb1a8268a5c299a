#include "model/ValueHelpers.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace rps;

TEST(IntegerClamp, ClampsThenRoundsDownToTheStep)
{
    EXPECT_EQ(clampIntegerText("1234", 300, 3000, 10), "1230");
    EXPECT_EQ(clampIntegerText("10", 300, 3000, 10), "300");
    EXPECT_EQ(clampIntegerText("99999", 300, 3000, 10), "3000");
    EXPECT_EQ(clampIntegerText("abc", 1, 63), "1");
    EXPECT_EQ(clampInteger(5, 10, 1), 5); // max below min: left alone
}

TEST(IntegerClamp, HugeTypedNumbersSaturateInsteadOfWrapping)
{
    EXPECT_EQ(clampIntegerText("99999999999999999999999", 1, 32767), "32767");
    EXPECT_EQ(clampIntegerText("4294967297", 1, 63), "63"); // would wrap to 1 in 32 bits
    EXPECT_EQ(clampIntegerText("-99999999999999999999999", 1, 63), "1");
}

TEST(IntegerClamp, NegativeValuesRoundDownNotTowardsZero)
{
    EXPECT_EQ(clampIntegerText("-12", -30, 30, 5), "-15");
    EXPECT_EQ(clampIntegerText("-15", -30, 30, 5), "-15");
    EXPECT_EQ(clampIntegerText("-28", -28, 30, 5), "-28"); // the minimum still bounds the field
}

TEST(DecimalClamp, KeepsTheDecimalsOfTheStep)
{
    EXPECT_EQ(clampDecimalText("12.37", 0.0, 100.0, 0.5), "12.0");
    EXPECT_EQ(clampDecimalText("0.3", 0.0, 10.0, 0.1), "0.3");
    EXPECT_EQ(clampDecimalText("7,25", 0.0, 10.0, 0.05, ','), "7,25");
    EXPECT_EQ(clampDecimalText(std::string(400, '9'), 0.0, 10.0, 0.1), "10.0");
    EXPECT_EQ(clampDecimalText("-3", 1.0, 10.0, 1.0), "1");
    EXPECT_EQ(clampDecimalText("-1.25", -5.0, 5.0, 0.1), "-1.3");
    EXPECT_EQ(clampDecimalText("-1.2", -5.0, 5.0, 0.1), "-1.2");
    EXPECT_EQ(clampDecimalText("-4.99", -5.0, 5.0, 0.5), "-5.0");
}

TEST(SpinStep, WrapsAtBothEnds)
{
    EXPECT_EQ(spinStep(30, +1, 1, 30), 1);
    EXPECT_EQ(spinStep(1, -1, 1, 30), 30);
    EXPECT_EQ(spinStep(15, +1, 1, 30), 16);
    EXPECT_EQ(spinStep(0, -1, 1, 30), 30); // a value outside the range restarts at an end
    EXPECT_EQ(spinStep(20, +1, 0, 100, 10), 30);
}

TEST(SpinStep, OffValueSitsBetweenMaxAndMin)
{
    constexpr int64_t off = 0xFF;
    EXPECT_EQ(spinStepWithOff(off, +1, 1, 10, off), 1);
    EXPECT_EQ(spinStepWithOff(10, +1, 1, 10, off), off);
    EXPECT_EQ(spinStepWithOff(off, -1, 1, 10, off), 10);
    EXPECT_EQ(spinStepWithOff(1, -1, 1, 10, off), off);
    EXPECT_EQ(spinStepWithOff(5, -1, 1, 10, off), 4);
}

TEST(Bcd, PacksFourDigitsMostSignificantFirst)
{
    EXPECT_EQ(toBcd(1234), 0x1234);
    EXPECT_EQ(toBcd(7), 0x0007);
    EXPECT_EQ(fromBcd(0x0950), 950u);
    EXPECT_FALSE(fromBcd(0x12A4).has_value());
}

TEST(FixedText, PadsWithSpacesAndStoresBlankAsEmptyBytes)
{
    std::array<uint8_t, 6> field{};
    writeFixedText(field, "AB");
    EXPECT_EQ(field, (std::array<uint8_t, 6>{'A', 'B', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(readFixedText(field), "AB");
    writeFixedText(field, "   ");
    EXPECT_EQ(field, (std::array<uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(readFixedText(field), "");
    EXPECT_EQ(trimTrailingSpaces("A B  "), "A B");
}
