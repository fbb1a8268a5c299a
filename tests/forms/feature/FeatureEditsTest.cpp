#include "forms/feature/FeatureEdits.h"
#include "FeatureTestImage.h"
#include "forms/feature/RemoteControlResets.h"
#include "model/records/FunctionCodePlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace rps;
using namespace rps::feature;
using rps::test::FeatureTestImage;

namespace {

constexpr std::array<uint16_t, 3> kFull = {0x3131, 0x3022, 0x322A};
constexpr uint16_t E = kNoFunction;

std::vector<uint8_t> copyOf(std::span<const uint8_t> area)
{
    return {area.begin(), area.end()};
}

// Offset of the first byte that differs, or -1: keeps a failure message short.
long firstDifference(const std::vector<uint8_t>& a, std::span<const uint8_t> b)
{
    const auto at = std::mismatch(a.begin(), a.end(), b.begin()).first;
    return at == a.end() ? -1 : static_cast<long>(at - a.begin());
}

} // namespace

TEST(FeatureEdits, InputSlotsFillFromTheFirst)
{
    struct Case {
        const char* what;
        std::function<bool(std::span<uint8_t>)> edit;
        std::size_t group;
        std::size_t remote;
        std::array<uint16_t, 3> slots;
        bool remoteReset;
    };
    const Case cases[] = {
        {"emptying slot 1 of fixed input 2",
         [](auto m) { return setFixedInputFunction(m, 2, 1, E); },
         0x2F8,
         0x6B3,
         {E, E, E},
         true},
        {"emptying slot 1 of port 5",
         [](auto m) { return setPortInputFunction(m, 5, 1, E); },
         0x328,
         0x6C5,
         {E, E, E},
         true},
        {"emptying slot 2 of port 5",
         [](auto m) { return setPortInputFunction(m, 5, 2, E); },
         0x328,
         0x6C5,
         {0x3131, E, E},
         false},
        {"new code in slot 3",
         [](auto m) { return setFixedInputFunction(m, 1, 3, 0x3150); },
         0x2F0,
         0x6B0,
         {0x3131, 0x3022, 0x3150},
         false},
        {"new code in slot 1",
         [](auto m) { return setFixedInputFunction(m, 3, 1, 0x3150); },
         0x300,
         0x6B6,
         {0x3150, 0x3022, 0x322A},
         true},
        {"the same code in slot 1",
         [](auto m) { return setPortInputFunction(m, 1, 1, 0x3131); },
         0x308,
         0x6B9,
         {0x3131, 0x3022, 0x322A},
         false},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        t.setSlots(c.group, kFull);
        t.assignRemote(c.remote);
        c.edit(t.main());
        EXPECT_EQ(t.slots(c.group), c.slots) << c.what;
        EXPECT_EQ(t.remoteReset(c.remote), c.remoteReset) << c.what;
    }
}

TEST(FeatureEdits, KeyKeepsItsTransponderEntryUntilItsFunctionChanges)
{
    FeatureTestImage t;
    t.setSlots(0x2D0, kFull); // key 3
    t.assignRemote(0x696);
    EXPECT_FALSE(setKeyFunction(t.main(), 3, 0x3131));
    EXPECT_FALSE(t.remoteReset(0x696));
    EXPECT_TRUE(setKeyFunction(t.main(), 3, 0x3235));
    EXPECT_TRUE(t.remoteReset(0x696));
    EXPECT_EQ(t.slots(0x2D0), (std::array<uint16_t, 3>{0x3235, 0x3022, 0x322A}));
}

TEST(FeatureEdits, OutputFunctionChangeResetsItsRemoteEntry)
{
    struct Case {
        std::function<bool(std::span<uint8_t>, uint8_t)> edit;
        std::size_t function;
        std::size_t remote;
    };
    const Case cases[] = {
        {[](auto m, uint8_t f) { return setFixedOutputFunction(m, 1, f); }, 0x500, 0x6D0},
        {[](auto m, uint8_t f) { return setFixedOutputFunction(m, 5, f); }, 0x520, 0x6DC},
        {[](auto m, uint8_t f) { return setPortOutputFunction(m, 1, f); }, 0x530, 0x6E2},
        {[](auto m, uint8_t f) { return setPortOutputFunction(m, 6, f); }, 0x558, 0x6F1},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        t.main()[c.function] = 0x30;
        t.assignRemote(c.remote);
        EXPECT_FALSE(c.edit(t.main(), 0x30));
        EXPECT_FALSE(t.remoteReset(c.remote)) << std::hex << c.function;
        EXPECT_TRUE(c.edit(t.main(), 0x3C));
        EXPECT_EQ(t.main()[c.function], 0x3C);
        EXPECT_TRUE(t.remoteReset(c.remote)) << std::hex << c.function;
    }
}

TEST(FeatureEdits, NumbersOutOfRangeChangeNothing)
{
    FeatureTestImage t;
    const auto before = copyOf(t.main());
    EXPECT_FALSE(setKeyFunction(t.main(), 7, 0x3131));
    EXPECT_FALSE(setKeyFunction(t.main(), 0, 0x3131));
    EXPECT_FALSE(setFixedInputFunction(t.main(), 4, 1, 0x3131));
    EXPECT_FALSE(setPortInputFunction(t.main(), 1, 4, 0x3131));
    EXPECT_FALSE(setPortInputFunction(t.main(), 1, 0, 0x3131));
    EXPECT_FALSE(setFixedOutputFunction(t.main(), 6, 0x30));
    EXPECT_FALSE(setPortOutputFunction(t.main(), 0, 0x30));
    EXPECT_FALSE(applyTimerValue(t.main(), 4));
    EXPECT_FALSE(resetKeyRemote(t.main(), 7));
    EXPECT_FALSE(resetPortRemote(t.main(), 0));
    EXPECT_EQ(firstDifference(before, t.main()), -1);
}

TEST(FeatureEdits, RemoteEntriesSitWhereTheRepeaterLooks)
{
    struct Case {
        std::function<bool(std::span<uint8_t>)> reset;
        std::vector<std::size_t> entries;
    };
    const Case cases[] = {
        {[](auto m) { return resetKeyRemote(m, 1); }, {0x690}},
        {[](auto m) { return resetKeyRemote(m, 6); }, {0x69F}},
        {[](auto m) { return resetFixedInputRemote(m, 3); }, {0x6B6}},
        {[](auto m) { return resetFixedOutputRemote(m, 5); }, {0x6DC}},
        {[](auto m) { return resetPortRemote(m, 2); }, {0x6BC, 0x6E5}},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        auto expected = copyOf(t.main());
        for (std::size_t entry : c.entries) {
            t.assignRemote(entry);
            expected[entry + 2] = 0x00; // no codes (0xFF 0xFF) and type 0
        }
        EXPECT_TRUE(c.reset(t.main()));
        EXPECT_EQ(firstDifference(expected, t.main()), -1) << std::hex << c.entries.front();
    }
    FeatureTestImage t;
    for (int key = 0; key < 6; ++key)
        t.assignRemote(0x690 + 3 * static_cast<std::size_t>(key));
    resetRemoteRun(t.main(), kRemoteKeyRun);
    for (int key = 0; key < 6; ++key)
        EXPECT_TRUE(t.remoteReset(0x690 + 3 * static_cast<std::size_t>(key)));
    EXPECT_EQ(t.main()[0x6A2], 0xFF) << "the transponder code after the run is not an entry";
}

TEST(FeatureEdits, TimerAtZeroEmptiesItsRow)
{
    FeatureTestImage t;
    t.setSlots(0x388, kFull);
    t.setSlots(0x390, kFull);
    t.main()[0x379] = 0;
    t.main()[0x37A] = 1;
    EXPECT_TRUE(applyTimerValue(t.main(), 2));
    EXPECT_FALSE(applyTimerValue(t.main(), 3));
    EXPECT_EQ(t.slots(0x388), (std::array<uint16_t, 3>{E, E, E}));
    EXPECT_EQ(t.slots(0x390), kFull);
}

TEST(FeatureEdits, PttPriorityMovesBySwappingBytes)
{
    struct Case {
        int entry;
        int step;
        std::optional<int> moved;
        std::array<uint8_t, 3> bytes;
    };
    const Case cases[] = {
        {1, -1, 0, {2, 0, 3}},
        {1, +1, 2, {0, 3, 2}},
        {0, -1, std::nullopt, {0, 2, 3}},
        {2, +1, std::nullopt, {0, 2, 3}},
        {0, +2, std::nullopt, {0, 2, 3}},
        {3, -1, std::nullopt, {0, 2, 3}},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        t.main()[0x298] = 0;
        t.main()[0x299] = 2;
        t.main()[0x29A] = 3;
        EXPECT_EQ(movePttPriority(t.main(), c.entry, c.step), c.moved) << c.entry << " " << c.step;
        EXPECT_EQ((std::array<uint8_t, 3>{t.main()[0x298], t.main()[0x299], t.main()[0x29A]}), c.bytes);
    }
}
