#include "forms/feature/FunctionTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace rps::feature;

TEST(FunctionTable, HoldsEveryFunctionOnceInChoiceOrder)
{
    const auto table = functionTable();
    ASSERT_EQ(table.size(), 137u);
    std::set<uint16_t> codes;
    for (const auto& entry : table)
        EXPECT_TRUE(codes.insert(entry.code).second) << std::hex << entry.code;

    struct Row {
        std::size_t index;
        uint16_t code;
        int text;
    };
    const Row rows[] = {
        {0, 0x2020, 1298},   {1, 0x3123, 1175},   {33, 0x5C23, 1207},  {34, 0x0121, 1208},
        {49, 0x1021, 1223},  {50, 0x1121, 1313},  {63, 0x1E21, 1326},  {64, 0x3022, 1224},
        {71, 0x3131, 1231},  {80, 0x3135, 1246},  {102, 0x3150, 1268}, {109, 0x312E, 1275},
        {110, 0x332E, 1278}, {111, 0x302E, 1276}, {113, 0x322A, 1279}, {136, 0x3229, 1329},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(table[row.index].code, row.code) << row.index;
        EXPECT_EQ(table[row.index].nameText, row.text) << row.index;
    }
}

TEST(FunctionTable, FindsKnownCodesOnly)
{
    ASSERT_NE(findFunction(0x3235), nullptr);
    EXPECT_EQ(findFunction(0x3235)->nameText, 1248);
    EXPECT_EQ(functionIndex(0x0521), 38u);
    // A removal group names 0x303E, which no key can hold; nor can a channel beyond 30.
    EXPECT_EQ(findFunction(0x303E), nullptr);
    EXPECT_EQ(findFunction(0x1F21), nullptr);
    EXPECT_EQ(findFunction(0xFFFF), nullptr);
}

TEST(FunctionTable, EveryFunctionHasItsOwnHelpPage)
{
    std::set<int> contexts;
    for (const auto& entry : functionTable())
        EXPECT_TRUE(contexts.insert(entry.helpContext).second) << std::hex << entry.code;
}
