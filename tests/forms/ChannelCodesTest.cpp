#include "model/records/ChannelCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace rps;

TEST(QtDqtCodes, TypedDqtCompletesMissingDigitsAndSuffix)
{
    EXPECT_EQ(parseQtDqt("D23", "Off"), 0x2898);
    EXPECT_EQ(formatQtDqt(0x2898, "Off"), "D230N");
    EXPECT_EQ(parseQtDqt("D023N", "Off"), 0x2813);
    EXPECT_EQ(parseQtDqt("D023I", "Off"), 0xA813);
    EXPECT_EQ(parseQtDqt("D", "Off"), 0x2800);
    EXPECT_EQ(parseQtDqt("D2", "Off"), 0x2800 + 0200);
    EXPECT_EQ(parseQtDqt("D989X", "Off"), 0x2800 + 0777); // digits clamp to 7, unknown suffix is N
}

TEST(QtDqtCodes, TonesAreTenthsClampedToTheToneRange)
{
    EXPECT_EQ(parseQtDqt("60", "Off"), 670);
    EXPECT_EQ(formatQtDqt(670, "Off"), "67.0");
    EXPECT_EQ(parseQtDqt("300", "Off"), 2541);
    EXPECT_EQ(parseQtDqt("88,5", "Off", ','), 885);
    EXPECT_EQ(parseQtDqt(std::string(400, '9'), "Off"), 2541);
    EXPECT_EQ(parseQtDqt("Off", "Off"), kCodeOff);
    EXPECT_EQ(parseQtDqt("", "Off"), kCodeOff);
}

TEST(QtDqtCodes, EveryListEntryReadsBackAsItsCode)
{
    const auto& codes = qtDqtChoiceCodes();
    ASSERT_EQ(codes.size(), 206u);
    EXPECT_EQ(std::set<uint16_t>(codes.begin(), codes.end()).size(), 206u);
    for (char separator : {'.', ','}) {
        for (uint16_t code : codes)
            EXPECT_EQ(parseQtDqt(formatQtDqt(code, "Off", separator), "Off", separator), code)
                << formatQtDqt(code, "Off", separator);
    }
}

TEST(RanAndKeyData, ClampAndOffValues)
{
    EXPECT_EQ(parseRan("0", "Off"), 1);
    EXPECT_EQ(parseRan("64", "Off"), 63);
    EXPECT_EQ(parseRan("Off", "Off"), kCodeOff);
    EXPECT_EQ(formatRan(0, "Off"), ""); // stored values outside 1..63 show blank
    EXPECT_EQ(parseKeyData(""), 0xFFFF);
    EXPECT_EQ(parseKeyData("40000"), 32767);
    EXPECT_EQ(spinKeyData(32767, +1), 1);
    EXPECT_EQ(spinKeyData(0xFFFF, +1), 1);
    EXPECT_EQ(spinKeyData(1, -1), 32767);
}

TEST(ChannelNames, OneCharacterIsRightJustified)
{
    EXPECT_EQ(formatChannelName(encodeChannelName(defaultChannelName(6))), " 7");
    EXPECT_EQ(formatChannelName(encodeChannelName(defaultChannelName(11))), "12");
    EXPECT_EQ(encodeChannelName("A"), encodeChannelName(" A"));
    EXPECT_EQ(encodeChannelName("  "), 0xFFFF);
    EXPECT_EQ(encodeChannelName(""), 0xFFFF);
    EXPECT_EQ(formatChannelName(0xFF41), "A");
    EXPECT_TRUE(isReservedChannelName("E3"));
    EXPECT_FALSE(isReservedChannelName("E7"));
}
