#include "forms/feature/PortModes.h"
#include "FeatureTestImage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rps;
using namespace rps::feature;
using rps::test::FeatureTestImage;

namespace {

using Modes = std::array<uint8_t, 6>;

void setModes(FeatureTestImage& t, const Modes& modes)
{
    for (std::size_t i = 0; i < modes.size(); ++i)
        t.main()[0x2A8 + i] = modes[i];
}

Modes modes(FeatureTestImage& t)
{
    Modes m{};
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = t.main()[0x2A8 + i];
    return m;
}

} // namespace

TEST(PortModes, OfferedModesPerPort)
{
    struct Case {
        Modes stored;
        int port;
        std::vector<uint8_t> offered;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0}, 1, {0, 1, 2, 3}},
        {{0, 0, 0, 0, 0, 0}, 2, {0, 1}},
        {{0, 0, 0, 0, 0, 0}, 6, {0, 1}},
        {{2, 2, 0, 0, 0, 0}, 1, {2, 3}},    // inside the run: it may not leave
        {{2, 2, 0, 0, 0, 0}, 2, {0, 1, 2}}, // the end of the run may leave it
        {{2, 2, 0, 0, 0, 0}, 3, {0, 1, 2}}, // and the run may grow
        {{2, 2, 2, 2, 0, 0}, 4, {0, 1, 2}},
        {{2, 2, 2, 2, 0, 0}, 5, {0, 1}}, // the run ends at port 4
        {{1, 1, 1, 1, 1, 2}, 6, {0, 1}}, // port 6 always takes input and output
        {{3, 3, 3, 3, 0, 0}, 1, {0, 1, 2, 3}},
        {{3, 3, 3, 3, 0, 0}, 3, {}}, // follows port 1
        {{3, 3, 3, 3, 0, 0}, 5, {0, 1}},
        {{0, 0, 0, 0, 0, 0}, 0, {}},
        {{0, 0, 0, 0, 0, 0}, 7, {}},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        setModes(t, c.stored);
        EXPECT_EQ(offeredPortModes(t.main(), c.port), c.offered) << "port " << c.port;
    }
}

TEST(PortModes, PortAtTheEndOfARunCanLeaveIt)
{
    FeatureTestImage t;
    setModes(t, {2, 2, 2, 0, 0, 0});
    EXPECT_FALSE(setPortMode(t.main(), 2, 0)) << "port 3 still continues the run";
    EXPECT_TRUE(setPortMode(t.main(), 3, 1));
    EXPECT_TRUE(setPortMode(t.main(), 2, 0));
    EXPECT_TRUE(setPortMode(t.main(), 1, 0));
    EXPECT_EQ(modes(t), (Modes{0, 0, 1, 0, 0, 0}));
}

TEST(PortModes, Port1GroupTakesPorts2To4AlongAndGivesThemBack)
{
    FeatureTestImage t;
    setModes(t, {0, 0, 1, 0, 1, 0});
    for (int port = 1; port <= 6; ++port) {
        t.assignRemote(0x6B9 + 3 * static_cast<std::size_t>(port - 1));
        t.assignRemote(0x6E2 + 3 * static_cast<std::size_t>(port - 1));
    }
    EXPECT_TRUE(setPortMode(t.main(), 1, 3));
    EXPECT_EQ(modes(t), (Modes{3, 3, 3, 3, 1, 0}));
    for (int port = 1; port <= 6; ++port) {
        const bool changed = port <= 4;
        EXPECT_EQ(t.remoteReset(0x6B9 + 3 * static_cast<std::size_t>(port - 1)), changed) << port;
        EXPECT_EQ(t.remoteReset(0x6E2 + 3 * static_cast<std::size_t>(port - 1)), changed) << port;
    }
    EXPECT_FALSE(setPortMode(t.main(), 3, 0)) << "ports 2..4 follow port 1";
    EXPECT_TRUE(setPortMode(t.main(), 1, 0));
    EXPECT_EQ(modes(t), (Modes{0, 0, 0, 0, 1, 0}));
}

TEST(PortModes, ChoosingTheSameModeKeepsTheRemoteEntries)
{
    FeatureTestImage t;
    setModes(t, {0, 1, 0, 0, 0, 0});
    t.assignRemote(0x6E5);
    EXPECT_TRUE(setPortMode(t.main(), 2, 1));
    EXPECT_FALSE(t.remoteReset(0x6E5));
    EXPECT_TRUE(setPortMode(t.main(), 2, 0));
    EXPECT_TRUE(t.remoteReset(0x6E5));
}

TEST(PortModes, ModesNotOfferedAreRefused)
{
    FeatureTestImage t;
    setModes(t, {0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(setPortMode(t.main(), 3, 2)) << "port 2 is not in the run";
    EXPECT_FALSE(setPortMode(t.main(), 2, 3));
    EXPECT_FALSE(setPortMode(t.main(), 1, 4));
    EXPECT_FALSE(setPortMode(t.main(), 7, 0));
    EXPECT_EQ(modes(t), (Modes{0, 0, 0, 0, 0, 0}));
}
