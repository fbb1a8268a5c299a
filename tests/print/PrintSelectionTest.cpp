// The "Print Out List" rules and the item names of the command-line tool.
#include "print/PrintSelection.h"

#include <gtest/gtest.h>

namespace rps::print {
namespace {

TEST(PrintSelection, OpensWithModelAndMessageOverEveryChannel)
{
    const PrintSelection selection = PrintSelection::opening();
    EXPECT_EQ(selection.flags(), uint32_t{kModel | kMessage});
    EXPECT_EQ(selection.start(), 1);
    EXPECT_EQ(selection.end(), 30);
}

TEST(PrintSelection, TheChannelJustTypedWinsAndBothAreClamped)
{
    PrintSelection selection = PrintSelection::opening();
    selection.setStart(5);
    selection.setEnd(3);
    EXPECT_EQ(selection.start(), 3);
    EXPECT_EQ(selection.end(), 3);
    selection.setStart(12);
    EXPECT_EQ(selection.end(), 12);
    selection.setStart(0);
    selection.setEnd(99);
    EXPECT_EQ(selection.start(), 1);
    EXPECT_EQ(selection.end(), 30);
}

TEST(PrintSelection, CwIdGoesWithChannelInformation)
{
    PrintSelection selection;
    selection.set(kCwId, true);
    EXPECT_FALSE(selection.isOn(kCwId));
    selection.set(kChannels, true);
    selection.set(kCwId, true);
    EXPECT_TRUE(selection.isOn(kCwId));
    selection.set(kChannels, true); // any change of the channel box clears CW ID
    EXPECT_FALSE(selection.isOn(kCwId));
    selection.selectAll();
    EXPECT_TRUE(selection.isOn(kCwId));
    EXPECT_EQ(selection.flags(), kAllFlags);
    selection.clearAll();
    EXPECT_FALSE(selection.anyChecked());
}

TEST(PrintSelection, ItemNamesParseAndRefuseWhatTheDialogWouldNot)
{
    std::string problem;
    EXPECT_EQ(parseItems("channel,cwid", problem), uint32_t{kChannels | kCwId});
    EXPECT_EQ(parseItems("model, user-list", problem), uint32_t{kModel | kUsers});
    EXPECT_FALSE(parseItems("cwid", problem));
    EXPECT_NE(problem.find("cwid"), std::string::npos);
    EXPECT_FALSE(parseItems("features,colour", problem));
    EXPECT_NE(problem.find("\"colour\""), std::string::npos);
    EXPECT_FALSE(parseItems("", problem));
    uint32_t every = 0;
    for (const ItemName& item : itemNames())
        every |= item.flag;
    EXPECT_EQ(every, kAllFlags);
}

} // namespace
} // namespace rps::print
