#include "FeatureTestImage.h"
#include "forms/feature/FeatureEdits.h"
#include "forms/feature/FunctionGroups.h"
#include "model/records/FunctionCodePlaces.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rps;
using namespace rps::feature;
using rps::test::FeatureTestImage;

namespace {

// Every group of three slots that holds function codes, as the repeater lays them out: keys
// 1..6, fixed inputs 1..3, port inputs 1..6, start-up, TX/RX rows 1..4, timers 1..3,
// connections 1..5.
const std::vector<std::size_t> kEveryPlace = {
    0x2C0, 0x2C8, 0x2D0, 0x2D8, 0x2E0, 0x2E8,                      //
    0x2F0, 0x2F8, 0x300, 0x308, 0x310, 0x318, 0x320, 0x328, 0x330, //
    0x360, 0x350, 0x358, 0x340, 0x348, 0x380, 0x388, 0x390,        //
    0x450, 0x458, 0x460, 0x468, 0x470,
};

// Remote-control entries of the places that have one: keys, fixed inputs, port inputs.
const std::vector<std::size_t> kRemoteOfPlace = {
    0x690, 0x693, 0x696, 0x699, 0x69C, 0x69F, 0x6B0, 0x6B3, 0x6B6, 0x6B9, 0x6BC, 0x6BF, 0x6C2, 0x6C5, 0x6C8,
};

} // namespace

TEST(FunctionRemoval, GroupsAreNumberedFromZero)
{
    struct Row {
        int group;
        std::array<uint16_t, 3> codes;
    };
    const Row rows[] = {
        {0, {0x3037, 0x3137, 0x3237}},  {2, {0x3135, 0x3035, 0x3235}},  {4, {0x4123, 0x3123, 0x5123}},
        {15, {0x3022, 0x3122, 0x2020}}, {16, {0x3132, 0x3132, 0x3132}}, {25, {0x303E, 0x313E, 0x323E}},
        {26, {0x3129, 0x3029, 0x3229}}, {29, {0x3336, 0x4336, 0x5336}}, {34, {0x3533, 0x3533, 0x3533}},
    };
    for (const Row& row : rows) {
        ASSERT_NE(functionGroup(row.group), nullptr) << row.group;
        EXPECT_EQ(*functionGroup(row.group), row.codes) << row.group;
    }
    EXPECT_EQ(functionGroup(-1), nullptr);
    EXPECT_EQ(functionGroup(35), nullptr);
}

TEST(FunctionRemoval, ReachesEveryPlaceThatHoldsCodes)
{
    FeatureTestImage t;
    for (std::size_t place : kEveryPlace)
        t.setSlots(place, {0x3131, 0x3029, 0x3131});
    EXPECT_TRUE(removeFunctionGroup(t.main(), kGroupVotingPilot));
    for (std::size_t place : kEveryPlace) {
        const std::array<uint16_t, 3> expected = {0x3131, kNoFunction, kNoFunction};
        EXPECT_EQ(t.slots(place), expected) << std::hex << place;
    }
    EXPECT_FALSE(removeFunctionGroup(t.main(), kGroupVotingPilot)) << "nothing left to remove";
}

TEST(FunctionRemoval, HoldTimerAtZeroTakesRepeatHoldOffEveryKey)
{
    FeatureTestImage t;
    for (std::size_t i = 0; i < 6; ++i) {
        t.setSlots(0x2C0 + 8 * i, {0x3235, 0x3131, 0x322A});
        t.assignRemote(0x690 + 3 * i);
    }
    t.setSlots(0x2D8, {0x322A, 0x2020, 0x2020}); // key 4 holds another function
    t.setSlots(0x310, {0x3131, 0x3135, 0x3131}); // port 2 input: the hold function in slot 2
    t.assignRemote(0x6BC);

    t.main()[0x291] = 5; // 0.5 s: the functions stay
    EXPECT_FALSE(applyRepeatHoldTimer(t.main()));
    EXPECT_EQ(t.code(0x2C0), 0x3235);

    t.main()[0x291] = 0;
    EXPECT_TRUE(applyRepeatHoldTimer(t.main()));
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t key = 0x2C0 + 8 * i;
        if (key == 0x2D8) {
            EXPECT_EQ(t.code(key), 0x322A);
            EXPECT_FALSE(t.remoteReset(0x690 + 3 * i)) << "key 4 kept its function and its entry";
            continue;
        }
        const std::array<uint16_t, 3> empty = {kNoFunction, kNoFunction, kNoFunction};
        EXPECT_EQ(t.slots(key), empty) << std::hex << key;
        EXPECT_TRUE(t.remoteReset(0x690 + 3 * i)) << std::hex << key;
    }
    const std::array<uint16_t, 3> port2 = {0x3131, kNoFunction, kNoFunction};
    EXPECT_EQ(t.slots(0x310), port2);
    EXPECT_FALSE(t.remoteReset(0x6BC)) << "the input's own function did not change";
}

TEST(FunctionRemoval, VotingPilotOffTakesItsFunctionsOnlyWhenOff)
{
    FeatureTestImage t;
    t.setSlots(0x360, {0x3029, 0x3131, 0x3131});
    t.main()[0x277] = 0x00;
    EXPECT_FALSE(applyVotingPilotTone(t.main()));
    EXPECT_EQ(t.code(0x360), 0x3029);
    t.main()[0x277] = 0xFF;
    EXPECT_TRUE(applyVotingPilotTone(t.main()));
    const std::array<uint16_t, 3> empty = {kNoFunction, kNoFunction, kNoFunction};
    EXPECT_EQ(t.slots(0x360), empty);
}

TEST(FunctionRemoval, DeletedChannelLeavesEveryPlaceAndItsRemoteEntries)
{
    FeatureTestImage t;
    t.programChannel(5);
    t.programChannel(6);
    const uint16_t channel5 = 0x0521;
    for (std::size_t place : kEveryPlace)
        t.setSlots(place, {channel5, 0x3131, 0x3131});
    for (std::size_t entry : kRemoteOfPlace)
        t.assignRemote(entry);
    t.setSlots(0x2E8, {0x0621, channel5, 0x3131}); // key 6: channel 6 first, channel 5 second
    t.main()[0x2B6] = 5;                           // priority channel

    ChannelStore store(t.image);
    ASSERT_TRUE(store.remove(4));

    for (std::size_t place : kEveryPlace) {
        if (place == 0x2E8)
            continue;
        const std::array<uint16_t, 3> empty = {kNoFunction, kNoFunction, kNoFunction};
        EXPECT_EQ(t.slots(place), empty) << std::hex << place;
    }
    for (std::size_t entry : kRemoteOfPlace) {
        if (entry == 0x69F)
            EXPECT_FALSE(t.remoteReset(entry)) << "key 6 still runs channel 6";
        else
            EXPECT_TRUE(t.remoteReset(entry)) << std::hex << entry;
    }
    const std::array<uint16_t, 3> key6 = {0x0621, kNoFunction, kNoFunction};
    EXPECT_EQ(t.slots(0x2E8), key6);
    EXPECT_EQ(t.main()[0x2B6], 0xFF);
}

TEST(FunctionRemoval, ChannelNumbersOutsideTheStoreRemoveNothing)
{
    FeatureTestImage t;
    t.setSlots(0x2C0, {0x1F21, 0x0021, 0x2020}); // codes a hostile file might hold
    const auto before = std::vector<uint8_t>(t.main().begin(), t.main().end());
    EXPECT_FALSE(removeChannelFunction(t.main(), 30));
    EXPECT_FALSE(removeChannelFunction(t.main(), -1));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), t.main().begin()));
}
