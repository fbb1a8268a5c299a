#include "TestModeRig.h"

#include "model/ImageMap.h"
#include "service/AdjustmentSession.h"
#include "service/TestModeChoices.h"

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::test;

namespace {

using Bytes = std::vector<uint8_t>;

std::string onlyMessage(const RecordingDialogs& dialogs)
{
    return dialogs.asked.size() == 1 ? dialogs.asked.front().text
                                     : "(" + std::to_string(dialogs.asked.size()) + ")";
}

} // namespace

TEST(TestModeEntry, MatchingRepeaterEntersAndLeavesWithOneE)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start()) << onlyMessage(t.dialogs);
    EXPECT_TRUE(t.rig.repeater.tuningMode());
    EXPECT_TRUE(isTestChannelValid(t.image.main(), t.session.state().testChannel));
    EXPECT_EQ(t.session.state().perMode[0], (std::array<int, 2>{0, 1}));
    EXPECT_EQ(t.session.state().perMode[1], (std::array<int, 2>{0, 3}));
    t.session.finish();
    EXPECT_FALSE(t.rig.repeater.inMode());
    EXPECT_EQ(t.rig.repeater.leaveCount(), 1);
    EXPECT_FALSE(t.rig.link.isOpen());
    EXPECT_FALSE(t.rig.link.claimed());
}

TEST(TestModeEntry, DifferencesFromTheDataAreRefusedBeforeTheDialog)
{
    struct Case {
        std::size_t offset;
        const char* text;
    };
    // Test channel 3's transmit frequency, a tuning frequency, the model block (band byte).
    for (const Case c : {Case{kTestFrequencyOffset + 2 * 8 + 4, "T775"}, Case{0x3C0 + 9, "T788"},
                         Case{kModelBlockOffset + 3, "T776"}}) {
        TestModeRig t;
        t.image.main()[c.offset] ^= 0x01;
        EXPECT_FALSE(t.session.start());
        EXPECT_EQ(onlyMessage(t.dialogs), c.text);
        EXPECT_FALSE(t.rig.repeater.inMode()) << c.text << ": 'E' was sent";
        EXPECT_FALSE(t.rig.link.isOpen());
    }
}

TEST(TestModeEntry, FirstGroupRepeaterListsKey10ButIsNotEntered)
{
    // The adjustment list of a 0x0402 model holds the first-group rows; the model itself is not
    // one this program reads, so the entry is refused with 774.
    EXPECT_NE(tuningItemForKey(10, 0x0402), nullptr);
    TestModeRig t(0x0402);
    EXPECT_FALSE(t.session.start());
    EXPECT_EQ(onlyMessage(t.dialogs), "T774");
    EXPECT_FALSE(t.rig.repeater.inMode());
}

TEST(TestModeEntry, SilentRepeaterShows773)
{
    TestModeRig t;
    t.rig.repeater.config().faults.silentCommands['P'] = 1;
    EXPECT_FALSE(t.session.start());
    EXPECT_EQ(onlyMessage(t.dialogs), "T773");
    EXPECT_FALSE(t.rig.repeater.inMode());
}

TEST(TestModeBer, ValuesAreShownAsPercentOrMarks)
{
    EXPECT_EQ(berText(250), "2.50 ");
    EXPECT_EQ(berText(0xFFFE), "****");
    EXPECT_EQ(berText(0xFFFF), "----");
    EXPECT_EQ(berText(10001), "");
    EXPECT_EQ(berText(10000), "100.00 ");

    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    bool failed = false;
    EXPECT_EQ(t.session.pollBer(failed), std::nullopt) << "no polling while the output is off";
    ASSERT_TRUE(t.session.setBerOutput(2, false, true));
    EXPECT_EQ(t.session.pollBer(failed), "2.50 ");
    t.rig.repeater.testMode().ber = 0xFFFE;
    EXPECT_EQ(t.session.pollBer(failed), "****");
    const std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(t.session.setBerOutput(0, false, false));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xC2, 0x0E}));
}

TEST(TestModeBer, TickDuringACommandIsSkipped)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    ASSERT_TRUE(t.session.setBerOutput(1, true, false));
    std::optional<std::string> duringCommand = "not asked";
    // The message pump runs the timer tick while the squelch command waits for its answer.
    t.rig.link.setMessagePump([&] {
        bool failed = false;
        duringCommand = t.session.pollBer(failed);
        EXPECT_FALSE(failed);
    });
    ASSERT_TRUE(t.session.setSquelch(1));
    EXPECT_EQ(duringCommand, std::nullopt);
    EXPECT_TRUE(t.dialogs.asked.empty());
}

TEST(TestModeFailure, CancelAfterAFailedCommandLeavesTheTransmitterOff)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    bool ended = false;
    t.session.setOnEnd([&] { ended = true; });
    ASSERT_TRUE(t.session.setTransmit(true));
    EXPECT_TRUE(t.rig.repeater.testMode().transmitting);
    t.rig.repeater.config().faults.silentCommands[0x0A] = 2;
    t.dialogs.answers = {MessageAnswer::Retry, MessageAnswer::Cancel};
    EXPECT_FALSE(t.session.setSquelch(1));
    EXPECT_TRUE(ended);
    ASSERT_EQ(t.dialogs.asked.size(), 2u);
    EXPECT_EQ(t.dialogs.asked[0].text, "T798");
    EXPECT_EQ(t.dialogs.asked[0].buttons, MessageButtons::RetryCancel);
    t.session.finish();
    EXPECT_FALSE(t.rig.repeater.testMode().transmitting);
    EXPECT_FALSE(t.rig.repeater.inMode());
}

TEST(TestModeChoicesTest, ChannelSpinSkipsInvalidChannelsForOneCycleAtMost)
{
    std::vector<uint8_t> main(kMainSize, 0xFF);
    EXPECT_EQ(nextValidTestChannel(main, 0, +1), std::nullopt) << "sixteen empty records";
    main[kTestFrequencyOffset + 8 * 5] = 0x10;  // channel 6
    main[kTestFrequencyOffset + 8 * 15] = 0x10; // channel 16
    EXPECT_EQ(nextValidTestChannel(main, 5, +1), 15);
    EXPECT_EQ(nextValidTestChannel(main, 15, +1), 5) << "wraps from 16 to 1";
    EXPECT_EQ(nextValidTestChannel(main, 5, -1), 15);
}

TEST(TestModeChoicesTest, SignallingFifteenNeedsSpacingOneInModeZero)
{
    EXPECT_FALSE(signallingAllowed(0, 14, 0));
    EXPECT_TRUE(signallingAllowed(0, 14, 1));
    EXPECT_TRUE(signallingAllowed(1, 14, 3));
    EXPECT_FALSE(signallingAllowed(0, 15, 1));
    EXPECT_TRUE(signallingAllowed(1, 25, 4));
    EXPECT_EQ(spacingChoices(0, false, 14).size(), 1u);
    EXPECT_EQ(spacingChoices(0, true, 0).size(), 3u);
    EXPECT_EQ(spacingChoices(1, false, 0).front().value, 3);
}

TEST(TestModeModes, SwitchingModeRestoresThatModesChoices)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    ASSERT_TRUE(t.session.selectSignalling(4));
    std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(t.session.selectMode(1));
    EXPECT_EQ(t.sentSince(before), (Bytes{'O', 2, 0x11, 1, 'M'}));
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(t.session.selectMode(0));
    EXPECT_EQ(t.sentSince(before), (Bytes{'O', 1, 0x11, 5, 'G'}));
}

TEST(TuningFrames, OpeningAPointSendsSpacingThenCommand)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession key2(t.session, *tuningItemForKey(2, 0x0400));
    const std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(key2.openPoint(3));
    EXPECT_EQ(t.sentSince(before), (Bytes{'G', 0x36, 0x0D, 0x07, 0x06}));
    const std::size_t later = t.rig.sentBytes().size();
    ASSERT_TRUE(key2.openPoint(4));
    EXPECT_EQ(t.sentSince(later), (Bytes{0x36, 0x0E, 0x39, 0x0D, 0x07, 0x06})) << "no spacing letter again";
}

TEST(TuningFrames, StepAndApplyOnATwoByteItem)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession key0(t.session, *tuningItemForKey(0, 0x0400));
    ASSERT_TRUE(key0.openPoint(0));
    const int start = key0.values().at(0);
    std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(key0.stepTo(start + 1));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xD8, 0x0A}));
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(key0.stepTo(start + 301));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xD8, 0x1A, 0x01, 0x2C})) << "a larger step in one two-byte frame";
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(key0.apply(0x0123));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xD8, 0x1C, 0x01, 0x23}));
    std::vector<int> current;
    ASSERT_TRUE(key0.readCurrent(current));
    EXPECT_EQ(current, (std::vector<int>{0x0123})) << "two bytes, high byte first";
    EXPECT_FALSE(key0.stepTo(4096)) << "outside range code 2";
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(key0.close());
    const Bytes sent = t.sentSince(before);
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ((Bytes{sent[0], sent[1], sent[2]}), (Bytes{0xD8, 0x0E, 0x10})) << "closed, test channel again";
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(key0.close());
    const Bytes again = t.sentSince(before);
    ASSERT_GE(again.size(), 2u);
    EXPECT_NE((Bytes{again[0], again[1]}), (Bytes{0xD8, 0x0E})) << "a closed item is not switched off twice";
}

TEST(TuningFrames, GainItemReadsTwoValuesAndRangeCode4StepsTheRawValue)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession gain(t.session, *tuningItemForKey(71, 0x0400));
    ASSERT_TRUE(gain.openPoint(0));
    ASSERT_EQ(gain.values(), (std::vector<int>{62, 63}));
    EXPECT_EQ(tuningShownValue(4, gain.values()[0]), 0);
    EXPECT_EQ(tuningShownValue(4, gain.values()[1]), 2);
    // Shown 0 stepped up is raw 63 (shown 2), not raw 62 again.
    ASSERT_TRUE(gain.stepTo(*tuningStepRaw(4, 62, +1)));
    std::vector<int> current;
    std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(gain.readCurrent(current));
    EXPECT_EQ((Bytes{t.sentSince(before)[0], t.sentSince(before)[1]}), (Bytes{0xB3, 0x0C}));
    EXPECT_EQ(current, (std::vector<int>{63, 63})) << "Gain A first";
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(gain.apply(tuningRawValue(4, 1)));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xB3, 0x1C, 62}));
}

TEST(TuningFrames, VolumeSendsTheSignedDifference)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession item(t.session, *tuningItemForKey(4, 0x0400));
    const std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(item.setVolume(item.volume() - 3));
    EXPECT_EQ(t.sentSince(before), (Bytes{0x21, 0x1B, 3}));
    EXPECT_FALSE(item.setVolume(32));
}

TEST(TuningFrames, GainBMovesWithTheGainCommandsSecondValueSwitchedOn)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession gain(t.session, *tuningItemForKey(71, 0x0400));
    ASSERT_TRUE(gain.openPoint(0));
    std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(gain.stepTo(64, 1));
    EXPECT_EQ(t.sentSince(before), (Bytes{0xB3, 'T', 0x0D, 0xB3, 0x0A, 0xB3, 'T', 0x0E}));
    EXPECT_EQ(t.rig.repeater.testMode().gains, (std::array<uint8_t, 2>{62, 64}));
    ASSERT_TRUE(gain.apply(70, 1));
    ASSERT_TRUE(gain.stepTo(63, 0));
    EXPECT_EQ(t.rig.repeater.testMode().gains, (std::array<uint8_t, 2>{63, 70})) << "Gain A alone";
    EXPECT_EQ(gain.values(), (std::vector<int>{63, 70}));
    std::vector<int> current;
    ASSERT_TRUE(gain.readCurrent(current));
    EXPECT_EQ(current, (std::vector<int>{63, 70}));
    EXPECT_FALSE(gain.stepTo(124, 1)) << "outside range code 4";
    EXPECT_FALSE(gain.apply(10, 2)) << "the item has two values";
}

TEST(TuningFrames, AutomaticAdjustmentRunsUntilTheRepeaterReportsDone)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession deviation(t.session, *tuningItemForKey(6, 0x0400));
    ASSERT_TRUE(deviation.openPoint(2));
    EXPECT_FALSE(deviation.stopAutomatic() && deviation.automaticRunning());
    std::size_t before = t.rig.sentBytes().size();
    ASSERT_TRUE(deviation.startAutomatic());
    EXPECT_EQ(t.sentSince(before), (Bytes{0xF4, 'T', 0x0D}));
    EXPECT_FALSE(deviation.startAutomatic()) << "already running";
    AutomaticReport report;
    int reports = 0;
    do {
        ASSERT_TRUE(deviation.readAutomatic(report));
        ASSERT_LT(++reports, 20);
    } while (report.state == AutomaticState::Running);
    EXPECT_EQ(report.state, AutomaticState::Done);
    EXPECT_EQ(report.data, 0x60);
    EXPECT_EQ(report.if20, 2000);
    EXPECT_FALSE(deviation.automaticRunning());
    EXPECT_EQ(deviation.values(), (std::vector<int>{0x60})) << "the reached value is read back";
    const Bytes sent = t.sentSince(before);
    ASSERT_GE(sent.size(), 5u);
    EXPECT_EQ((Bytes{sent.end() - 5, sent.end()}), (Bytes{0xF4, 'T', 0x0E, 0x07, 0x06}))
        << "stopped, values read";

    // Closing while the repeater still adjusts stops it first.
    ASSERT_TRUE(deviation.startAutomatic());
    before = t.rig.sentBytes().size();
    ASSERT_TRUE(deviation.close());
    const Bytes closing = t.sentSince(before);
    EXPECT_EQ((Bytes{closing.begin(), closing.begin() + 3}), (Bytes{0xF4, 'T', 0x0E}));
    EXPECT_EQ(t.rig.repeater.testMode().automaticPoint, 0);
}

TEST(TuningFrames, MeasuredValues)
{
    TestModeRig t;
    ASSERT_TRUE(t.session.start());
    AdjustmentSession drive(t.session, *tuningItemForKey(1, 0x0400));
    ASSERT_TRUE(drive.openPoint(0));
    t.rig.repeater.testMode().temperatureTenths = -53;
    t.rig.repeater.testMode().crystalHz = 12'799'987;
    int tenths = 0;
    ASSERT_TRUE(drive.readTemperature(tenths));
    EXPECT_EQ(tenths, -53);
    uint32_t hz = 0;
    ASSERT_TRUE(drive.readCrystalFrequency(hz));
    EXPECT_EQ(hz, 12'799'987u);
    ASSERT_TRUE(drive.apply(255));
    int millivolts = 0;
    ASSERT_TRUE(drive.readLockVoltage(millivolts));
    EXPECT_EQ(millivolts, 5000) << "the top of the open point's range";
    ASSERT_TRUE(drive.apply(0));
    ASSERT_TRUE(drive.readLockVoltage(millivolts));
    EXPECT_EQ(millivolts, 0);
}

TEST(TuningTexts, TemperatureInCelsiusOrFahrenheit)
{
    EXPECT_EQ(temperatureText(253, false), "25.3");
    EXPECT_EQ(temperatureText(-53, false), "-5.3");
    EXPECT_EQ(temperatureText(0, true), "32.0");
    EXPECT_EQ(temperatureText(1000, true), "212.0");
    EXPECT_EQ(temperatureText(-400, true), "-40.0");
    EXPECT_EQ(temperatureText(253, true), "77.5");
}
