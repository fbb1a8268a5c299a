// Mode entry by speed hunting, identification and key agreement, leaving the mode.
#include "LinkRig.h"

#include "link/ProtocolBytes.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace rps::test {
namespace {

std::vector<uint32_t> speedsOfEntryTexts(const LinkRig& rig)
{
    std::vector<uint32_t> speeds;
    for (const sim::WireByte& w : rig.device.wire())
        if (w.fromPc && w.byte == 'P')
            speeds.push_back(w.baud);
    return speeds;
}

TEST(ModeEntry, SynAtTheHuntedSpeedThenAckAt19200)
{
    sim::SimConfig config;
    config.huntBaud = 4800;
    LinkRig rig(config);
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
    EXPECT_EQ(speedsOfEntryTexts(rig), (std::vector<uint32_t>{9600, 19200, 4800}));
    EXPECT_EQ(rig.device.baud(), 19200u);
    EXPECT_EQ(rig.link.readTimeout(), 550);
    const std::vector<uint8_t> received = rig.receivedBytes();
    EXPECT_EQ(received, (std::vector<uint8_t>{proto::kSyn, proto::kAck}));
    EXPECT_EQ(rig.device.wire().back().baud, 19200u) << "the ACK is read after the switch to 19200";
}

TEST(ModeEntry, BytesBetweenSynAndAckAreSkipped)
{
    sim::SimConfig config;
    config.faults.noiseBytes = 40;
    LinkRig rig(config);
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
    EXPECT_EQ(rig.receivedBytes().size(), 42u);
    ModelRecord record{};
    EXPECT_EQ(rig.link.identify(record), kLinkOk);
}

TEST(ModeEntry, NoSynAnywhereFailsAt19200WithTheFormerTimeout)
{
    sim::SimConfig config;
    config.huntBaud = 115200; // not in the hunting table
    LinkRig rig(config);
    ASSERT_TRUE(rig.link.open());
    rig.link.setReadTimeout(1234);
    const uint64_t start = rig.link.tickMs();
    EXPECT_EQ(rig.link.enterProgramMode(), kLinkFailed);
    EXPECT_EQ(rig.link.readTimeout(), 1234);
    EXPECT_EQ(rig.device.baud(), 19200u);
    EXPECT_EQ(speedsOfEntryTexts(rig).size(), 7u);
    // Seven reply waits of 115+105+123+138+170+102+101 ms.
    EXPECT_EQ(rig.link.tickMs() - start, 854u);
}

TEST(ModeEntry, ALineErrorEndsTheHunt)
{
    LinkRig rig;
    ASSERT_TRUE(rig.link.open());
    rig.device.flagLineError();
    EXPECT_EQ(rig.link.enterProgramMode(), kLinkFailed);
    EXPECT_TRUE(speedsOfEntryTexts(rig).empty());
}

TEST(ModeEntry, TuningEntryWaitsBeforeFollowingTo19200)
{
    sim::SimConfig config;
    config.huntBaud = 2400;
    LinkRig rig(config);
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterTuningMode(), kLinkOk);
    EXPECT_TRUE(rig.repeater.tuningMode());
    std::string text;
    for (const sim::WireByte& w : rig.device.wire())
        if (w.fromPc && w.baud == 2400)
            text.push_back(static_cast<char>(w.byte));
    EXPECT_EQ(text, "TUNING ");
}

TEST(Identification, TheRecordIsTheRepeatersModelBlockAndTheKeyIsSeedSumXorChallenge)
{
    LinkRig rig;
    ASSERT_TRUE(rig.link.open());
    rig.link.setKey(0x55); // left over from an earlier connection
    ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
    ModelRecord record{};
    EXPECT_EQ(rig.link.key(), 0);
    ASSERT_EQ(rig.link.identify(record), kLinkOk);
    EXPECT_EQ(ModelBlock(record).modelCode(), 0x0400);
    const auto& reply = rig.link.identificationReply();
    unsigned seedSum = 0;
    for (std::size_t i = 32; i < 44; ++i)
        seedSum += reply[i];
    EXPECT_EQ(rig.link.key(), static_cast<uint8_t>((seedSum & 0xFF) ^ (17 + 25)));
}

TEST(Identification, ShortReplyFailsAndKeepsTheKey)
{
    sim::SimConfig config;
    config.faults.silentCommands[proto::kIdentify] = 1;
    LinkRig rig(config);
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
    ModelRecord record{};
    EXPECT_EQ(rig.link.identify(record), kLinkFailed);
    EXPECT_EQ(rig.link.key(), 0);
}

TEST(LeaveMode, AnUnansweredEIsRepeatedAt9600)
{
    sim::SimConfig config;
    config.faults.silentCommands[proto::kLeave] = 1;
    LinkRig rig(config);
    ASSERT_TRUE(rig.connect());
    rig.device.clearWire();
    // The repeater, still in its session, hears only 19200: the retry goes unanswered.
    EXPECT_EQ(rig.link.leaveMode(), kLinkFailed);
    std::vector<uint32_t> speeds;
    for (const sim::WireByte& w : rig.device.wire())
        if (w.fromPc)
            speeds.push_back(w.baud);
    EXPECT_EQ(speeds, (std::vector<uint32_t>{19200, 9600}));
    EXPECT_TRUE(rig.repeater.inMode());

    LinkRig once(config);
    ASSERT_TRUE(once.connect());
    EXPECT_EQ(once.link.leaveModeOnce(), kLinkFailed) << "the single 'E' of test mode has no retry";
}

TEST(ExchangeGuard, ACommandPumpedDuringAnotherIsRefused)
{
    LinkRig rig;
    int nestedResult = -1;
    rig.link.setMessagePump([&] {
        std::array<uint8_t, 12> info{};
        nestedResult = rig.link.readProductInfo(info);
    });
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
    EXPECT_EQ(nestedResult, kLinkFailed);

    LinkSession first(rig.link);
    EXPECT_TRUE(static_cast<bool>(first));
    LinkSession second(rig.link);
    EXPECT_FALSE(static_cast<bool>(second));
}

} // namespace
} // namespace rps::test
