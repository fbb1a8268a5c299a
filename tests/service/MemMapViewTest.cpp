#include "service/MemMapView.h"
#include "model/ConfigImage.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

using namespace rps;

TEST(MemMapTexts, HeadersShowTheLineAddressWithoutItsLastDigit)
{
    EXPECT_EQ(memMapLineHeader(0xF800), "   F80_");
    EXPECT_EQ(memMapLineHeader(0x0010), "   001_");
    EXPECT_EQ(memMapLineHeader(0x9FF0), "   9FF_");
    EXPECT_EQ(memMapColumnHeader(10), "__A");
    EXPECT_EQ(memMapHexCell(0x0A), "0A");
    EXPECT_EQ(memMapCharCell('Q'), "Q");
    EXPECT_EQ(memMapCharCell(0x07), ".");
}

TEST(MemMapHexEntry, EmptyIsFFAndOneDigitIsPrefixedWithZero)
{
    EXPECT_EQ(parseMemMapHexEntry("A"), 0x0A);
    EXPECT_EQ(parseMemMapHexEntry(""), 0xFF);
    EXPECT_EQ(parseMemMapHexEntry("ab"), 0xAB);
    EXPECT_EQ(parseMemMapHexEntry("7F"), 0x7F);
    EXPECT_FALSE(parseMemMapHexEntry("G1").has_value());
    EXPECT_FALSE(parseMemMapHexEntry("1 ").has_value());
    EXPECT_FALSE(parseMemMapHexEntry("123").has_value());
}

TEST(MemMapAddress, OnlyAddressesInsideTheAreaMoveTheGrid)
{
    EXPECT_EQ(parseMemMapAddress("0400", 0, 40960), 0x400u);
    EXPECT_EQ(parseMemMapAddress("9fff", 0, 40960), 0x9FFFu);
    EXPECT_FALSE(parseMemMapAddress("0500", 0, 1280).has_value());
    EXPECT_EQ(parseMemMapAddress("F8FF", 0xF800, 256), 0xFFu);
    EXPECT_FALSE(parseMemMapAddress("F7FF", 0xF800, 256).has_value());
    EXPECT_FALSE(parseMemMapAddress("", 0, 16).has_value());
    EXPECT_FALSE(parseMemMapAddress("12345", 0, 0x20000).has_value());
}

TEST(MemMapWrite, AnEditThatBreaksTheModelBlockIsPutBack)
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
    const MemMapWindow window{image.main(), 0, 0, true};
    const uint8_t identifierByte = image.main()[0x0401];
    const auto refused = writeMemMapByte(window, image.main(), 0x0401, 'X');
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.refusedText, kMemMapRefusedText);
    EXPECT_EQ(image.main()[0x0401], identifierByte);

    EXPECT_TRUE(writeMemMapByte(window, image.main(), 0x0400 + 14, 0x00).written); // option flags may change
    EXPECT_TRUE(writeMemMapByte(window, image.main(), 0x2000, 0x12).written);
    EXPECT_EQ(image.main()[0x2000], 0x12);

    // The same bytes seen through the auxiliary block are not the model block.
    const MemMapWindow aux{image.aux(), 0, 0, false};
    EXPECT_TRUE(writeMemMapByte(aux, image.main(), 0x0401, 'X').written);
}
