#include "forms/feature/FunctionAvailability.h"
#include "FeatureTestImage.h"
#include "forms/feature/FunctionTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace rps;
using namespace rps::feature;
using rps::test::FeatureTestImage;

namespace {

using Ctx = FunctionContext;
using Prepare = std::function<void(FeatureTestImage&)>;

// An image on which every prerequisite is off: timers, hold timer and time-out timers at 0,
// no connection row used, no message record, no output driven by keys, input level 0.
void allOff(FeatureTestImage& t)
{
    auto m = t.main();
    m[0x290] = 0;
    m[0x291] = 0;
    setU16(m, 0x56C, 0);
    m[0x277] = 0xFF;
    for (std::size_t i = 0; i < 7; ++i)
        m[0x2A8 + i] = 0;
    m[0x2AF] = 0;
    for (std::size_t i = 0; i < 3; ++i)
        m[0x378 + i] = 0;
    for (std::size_t row = 0; row < 5; ++row)
        setU16(m, 0x450 + 8 * row, 0x2020);
    for (std::size_t i = 0; i < 5; ++i)
        m[0x500 + 8 * i] = 0x20;
    for (std::size_t i = 0; i < 6; ++i)
        m[0x530 + 8 * i] = 0x20;
}

struct Case {
    const char* what;
    Ctx context;
    uint16_t code;
    Prepare setup;
    bool offered;
};

} // namespace

TEST(FunctionAvailability, MatrixRowsPerContext)
{
    const Prepare none = [](FeatureTestImage&) {};
    const Prepare channel5 = [](FeatureTestImage& t) { t.programChannel(5); };
    const Prepare channel5Port2Run = [](FeatureTestImage& t) {
        t.programChannel(5);
        t.main()[0x2A8] = 2;
        t.main()[0x2A9] = 2;
    };
    const Prepare holdOn = [](FeatureTestImage& t) { t.main()[0x291] = 30; };
    const Prepare levelHigh = [](FeatureTestImage& t) { t.main()[0x2AF] = 0xFF; };
    const Prepare output1ByKey = [](FeatureTestImage& t) { t.main()[0x500] = 0x3C; };
    const Prepare output1ByKeyLevelHigh = [](FeatureTestImage& t) {
        t.main()[0x500] = 0x3C;
        t.main()[0x2AF] = 0xFF;
    };
    const Prepare port3ByKey = [](FeatureTestImage& t) {
        t.main()[0x2AA] = 1;
        t.main()[0x540] = 0x3C;
    };
    const Prepare port3InputByKey = [](FeatureTestImage& t) {
        t.main()[0x2AA] = 0;
        t.main()[0x540] = 0x3C;
    };
    const Prepare localMicTot = [](FeatureTestImage& t) { setU16(t.main(), 0x56C, 15); };
    const Prepare connection1 = [](FeatureTestImage& t) { setU16(t.main(), 0x450, 0x3131); };
    const Prepare record2 = [](FeatureTestImage& t) { t.main()[0x5A0] = 'A'; };
    const Prepare timer2 = [](FeatureTestImage& t) { t.main()[0x379] = 10; };
    const Prepare votingOn = [](FeatureTestImage& t) { t.main()[0x277] = 0x00; };

    const Case cases[] = {
        // keys
        {"keys: next channel needs no port rule", Ctx::kKeys, 0x3022, channel5Port2Run, true},
        {"keys: a programmed channel", Ctx::kKeys, 0x0521, channel5, true},
        {"keys: an empty channel", Ctx::kKeys, 0x0621, channel5, false},
        {"keys: hold variant for events only", Ctx::kKeys, 0x3035, holdOn, false},
        {"keys: repeat hold while the timer runs", Ctx::kKeys, 0x3235, holdOn, true},
        {"keys: repeat hold with the timer off", Ctx::kKeys, 0x3235, none, false},
        {"keys: key-driven output 1", Ctx::kKeys, 0x5123, output1ByKey, true},
        {"keys: message record 2 in use", Ctx::kKeys, 0x3232, record2, true},
        {"keys: message record 2 unused", Ctx::kKeys, 0x3232, none, false},
        // function port
        {"port: channel while a port is in mode 2", Ctx::kPort, 0x0521, channel5Port2Run, false},
        {"port: channel", Ctx::kPort, 0x0521, channel5, true},
        {"port: level-0 function", Ctx::kPort, 0x313E, none, true},
        {"port: level-0 function at level high", Ctx::kPort, 0x313E, levelHigh, false},
        {"port: level-high function", Ctx::kPort, 0x323E, levelHigh, true},
        {"port: key output needs level high", Ctx::kPort, 0x5123, output1ByKey, false},
        {"port: key output at level high", Ctx::kPort, 0x5123, output1ByKeyLevelHigh, true},
        {"port: 0x3150", Ctx::kPort, 0x3150, none, true},
        // start-up
        {"start-up: 0x3025", Ctx::kStartUp, 0x3025, none, true},
        {"start-up: key variant", Ctx::kStartUp, 0x3225, levelHigh, false},
        {"start-up: timer 1 off", Ctx::kStartUp, 0x3136, none, false},
        {"start-up: key-timer never", Ctx::kStartUp, 0x5236, timer2, false},
        // TX/RX rows
        {"TX/RX 1: 0x332E", Ctx::kTxRx1, 0x332E, none, true},
        {"TX/RX 1: channel", Ctx::kTxRx1, 0x0521, channel5, false},
        {"TX/RX 1: port 3 output by key", Ctx::kTxRx1, 0x3923, port3ByKey, true},
        {"TX/RX 1: port 3 input", Ctx::kTxRx1, 0x3923, port3InputByKey, false},
        {"TX/RX 2: 0x3026", Ctx::kTxRx2, 0x3026, none, false},
        {"TX/RX 2: 0x302C", Ctx::kTxRx2, 0x302C, none, true},
        {"TX/RX 2: time-out functions", Ctx::kTxRx2, 0x3034, localMicTot, false},
        {"TX/RX 3: 0x302C", Ctx::kTxRx3, 0x302C, none, false},
        {"TX/RX 3: both TOTs off", Ctx::kTxRx3, 0x3034, none, false},
        {"TX/RX 3: local-mic TOT on", Ctx::kTxRx3, 0x3034, localMicTot, true},
        {"TX/RX 4: 0x302E", Ctx::kTxRx4, 0x302E, none, false},
        {"TX/RX 4: 0x3039", Ctx::kTxRx4, 0x3039, none, true},
        {"TX/RX 4: voting pilot", Ctx::kTxRx4, 0x3229, votingOn, true},
        // timers and connections
        {"timer: hold", Ctx::kTimer, 0x3035, holdOn, true},
        {"timer: connection 1 unused", Ctx::kTimer, 0x3133, none, false},
        {"timer: connection 1 used", Ctx::kTimer, 0x3133, connection1, true},
        {"timer: timer 2", Ctx::kTimer, 0x4236, timer2, true},
        {"connection: itself never", Ctx::kConnection, 0x3133, connection1, false},
        {"connection: next channel", Ctx::kConnection, 0x3022, none, true},
        {"connection: key timer", Ctx::kConnection, 0x5236, timer2, true},
        // codes no table knows
        {"a group code without a function", Ctx::kPort, 0x303E, none, false},
        {"channel 31", Ctx::kKeys, 0x1F21, none, false},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        allOff(t);
        c.setup(t);
        EXPECT_EQ(isFunctionOffered(c.context, c.code, t.main()), c.offered) << c.what;
    }
}

TEST(FunctionAvailability, KeysAlwaysOfferTheirFixedListInTableOrder)
{
    FeatureTestImage t;
    allOff(t);
    const std::vector<uint16_t> expected = {0x2020, 0x3022, 0x3122, 0x3131, 0x3239, 0x323D, 0x322F,
                                            0x332F, 0x322C, 0x322B, 0x3225, 0x3150, 0x3227, 0x3237,
                                            0x332E, 0x322E, 0x322A, 0x322D, 0x3226};
    EXPECT_EQ(offeredFunctions(FunctionContext::kKeys, t.main()), expected);
}

TEST(FunctionAvailability, EveryFunctionIsOfferedSomewhere)
{
    // With every prerequisite on, each function of the table has a place that offers it.
    auto everythingOn = [](FeatureTestImage& t, uint8_t level) {
        for (int channel = 1; channel <= 30; ++channel)
            t.programChannel(channel);
        auto m = t.main();
        m[0x277] = 0x00;
        m[0x2AF] = level;
        for (std::size_t i = 0; i < 6; ++i) {
            m[0x2A8 + i] = 1;
            m[0x530 + 8 * i] = 0x3C;
        }
        for (std::size_t i = 0; i < 5; ++i)
            m[0x500 + 8 * i] = 0x3C;
        for (std::size_t i = 0; i < 8; ++i)
            m[0x580 + 32 * i] = 0;
    };
    FeatureTestImage high;
    everythingOn(high, 0xFF);
    FeatureTestImage low;
    everythingOn(low, 0x00);
    const Ctx contexts[] = {Ctx::kPort,  Ctx::kStartUp, Ctx::kTxRx1,      Ctx::kTxRx2, Ctx::kTxRx3,
                            Ctx::kTxRx4, Ctx::kTimer,   Ctx::kConnection, Ctx::kKeys};
    for (const auto& entry : functionTable()) {
        bool somewhere = false;
        for (Ctx context : contexts)
            somewhere = somewhere || isFunctionOffered(context, entry.code, high.main()) ||
                        isFunctionOffered(context, entry.code, low.main());
        EXPECT_TRUE(somewhere) << std::hex << entry.code;
    }
}
