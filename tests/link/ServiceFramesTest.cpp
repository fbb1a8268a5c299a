// Information reads, clock, passwords and the service command frames.
#include "LinkRig.h"

#include "link/ProtocolBytes.h"

#include <gtest/gtest.h>

namespace rps::test {
namespace {

class ServiceFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.link.options().encryptMode = false;
        ASSERT_TRUE(rig.connect());
        rig.device.clearWire();
    }
    std::vector<uint8_t> takeSent()
    {
        std::vector<uint8_t> sent = rig.sentBytes();
        rig.device.clearWire();
        return sent;
    }
    LinkRig rig;
};

TEST_F(ServiceFrames, ValueStepEncodings)
{
    using V = std::vector<uint8_t>;
    ASSERT_EQ(rig.link.stepValue(0xD8, 1, true), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0xD8, 0x0A}));
    ASSERT_EQ(rig.link.stepValue(0xE8, -1, false), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0xE8, 0x0B}));
    ASSERT_EQ(rig.link.stepValue(0xE8, 5, false), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0xE8, 0x1A, 5}));
    ASSERT_EQ(rig.link.stepValue(0xD8, -300, true), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0xD8, 0x1B, 0x01, 0x2C}));
    ASSERT_EQ(rig.link.stepValue(0x21, 0, false), kLinkOk);
    EXPECT_TRUE(takeSent().empty());
    // The one-byte frame cannot carry 300: it goes out as 255 and 45.
    ASSERT_EQ(rig.link.stepValue(0x21, 300, false), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0x21, 0x1A, 0xFF, 0x21, 0x1A, 45}));
    uint8_t value = 0;
    ASSERT_EQ(rig.link.queryValue(0x21, value), kLinkOk);
    EXPECT_EQ(value, static_cast<uint8_t>(0x80 + 300));
}

TEST_F(ServiceFrames, SetValueFramesAndQueryReorder)
{
    using V = std::vector<uint8_t>;
    ASSERT_EQ(rig.link.setValue16(0xD9, 0x0123), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0xD9, 0x1C, 0x01, 0x23}));
    ASSERT_EQ(rig.link.switchFunction(0xD9, true), kLinkOk);
    std::array<uint8_t, 2> values{};
    ASSERT_EQ(rig.link.readPointValues(values, true), kLinkOk);
    EXPECT_EQ(values, (std::array<uint8_t, 2>{0x23, 0x01})) << "pairs swapped to host order";
    takeSent();

    std::array<uint8_t, 5> five{};
    ASSERT_EQ(rig.link.queryFiveBytes(five), kLinkOk);
    // Idle, IF level 50 and the open point's value 0x0123, sent high byte first: reordered to
    // host order.
    EXPECT_EQ(five, (std::array<uint8_t, 5>{0x00, 0x32, 0x00, 0x23, 0x01}));
    takeSent();
    std::array<uint8_t, 8> frequencies{};
    ASSERT_EQ(rig.link.selectTestChannel(1, frequencies), kLinkOk);
    EXPECT_EQ(takeSent(), (V{0x10, 0x01, proto::kAck}));
    EXPECT_EQ(rig.link.selectSpacing(5), kLinkFailed);
    ASSERT_EQ(rig.link.selectSpacing(1), kLinkOk);
    EXPECT_EQ(takeSent(), (V{'G'}));
}

TEST_F(ServiceFrames, InformationReadsCheckTheirFrame)
{
    std::array<uint8_t, 32> unit{};
    ASSERT_EQ(rig.link.readInformation("URK", unit), kLinkOk);
    EXPECT_EQ(std::string(unit.begin() + 16, unit.begin() + 28), "SN0000360123");
    EXPECT_EQ(takeSent(), (std::vector<uint8_t>{'U', 'R', 'K', proto::kAck}));
    std::array<uint8_t, 17> wrongLength{};
    EXPECT_EQ(rig.link.readInformation("URS", wrongLength), kLinkFailed);
}

TEST_F(ServiceFrames, ClockAndDateStampCarryTheYearSince2000)
{
    ASSERT_EQ(rig.link.setRadioClock(LocalTime{2026, 12, 7, 10, 5, 59}), kLinkOk);
    EXPECT_EQ(takeSent(), (std::vector<uint8_t>{'_', 26, 12, 7, 10, 5, 59}));
    ASSERT_TRUE(rig.repeater.clockSet().has_value());
    EXPECT_EQ(rig.repeater.clockSet()->year, 2026);
    ASSERT_EQ(rig.link.setDateStamp(LocalTime{2003, 2, 1, 0, 0, 0}), kLinkOk);
    EXPECT_EQ(takeSent(), (std::vector<uint8_t>{'/', 3, 2, 1, 'E'}));
}

// A test-mode session as the service dialogs run it: every frame must leave the repeater in
// step with the PC, or the next answer is read from the wrong place.
TEST(TuningSession, EveryServiceFrameIsAnsweredInStep)
{
    LinkRig rig;
    const std::vector<uint8_t>& blocks = rig.repeater.memory().blocks;
    ASSERT_TRUE(rig.link.open());
    ASSERT_EQ(rig.link.enterTuningMode(), kLinkOk);
    ModelRecord record{};
    ASSERT_EQ(rig.link.identify(record), kLinkOk);
    ASSERT_EQ(rig.link.setDateStamp(), kLinkOk);
    std::array<uint8_t, 12> product{};
    ASSERT_EQ(rig.link.readProductInfo(product), kLinkOk);
    std::array<uint8_t, 8> channel{};
    ASSERT_EQ(rig.link.selectTestChannel(1, channel), kLinkOk);
    EXPECT_EQ(channel[0], blocks[kTestFrequencyOffset + 3]) << "receive frequency, high byte first";
    EXPECT_EQ(channel[7], blocks[kTestFrequencyOffset + 4]);
    std::array<uint8_t, 40> tuning{};
    ASSERT_EQ(rig.link.readTuningFrequencies(tuning), kLinkOk);
    EXPECT_EQ(tuning[3], blocks[kTuningFrequencyOffset]);
    std::array<uint8_t, 6> tones{};
    ASSERT_EQ(rig.link.readToneValues(tones), kLinkOk);
    EXPECT_EQ(rig.link.selectTestSignalling(1), kLinkOk);
    EXPECT_EQ(rig.link.selectTestMode(2), kLinkOk);
    EXPECT_EQ(rig.link.selectSpacing(4), kLinkOk);
    EXPECT_EQ(rig.link.switchFunction('u', true), kLinkOk);
    EXPECT_EQ(rig.link.switchTestFunction(0xB3, false), kLinkOk);
    EXPECT_EQ(rig.link.setTransmit(true), kLinkOk);
    EXPECT_EQ(rig.link.setTransmit(false), kLinkOk);
    EXPECT_EQ(rig.link.startBerOutput(0x21, 0x07), kLinkOk);
    std::array<uint8_t, 2> ber{};
    ASSERT_EQ(rig.link.queryBer(ber), kLinkOk);
    EXPECT_EQ((ber[0] << 8) | ber[1], 250);
    EXPECT_EQ(rig.link.stopBerOutput(), kLinkOk);
    std::array<uint8_t, 3> three{};
    EXPECT_EQ(rig.link.queryThreeBytes('Y', three), kLinkOk);
    std::array<uint8_t, 2> two{};
    EXPECT_EQ(rig.link.queryTwoBytes(two, true), kLinkOk);
    std::array<uint8_t, 12> clock{};
    ASSERT_EQ(rig.link.readRadioClock(clock), kLinkOk);
    EXPECT_TRUE(std::all_of(clock.begin(), clock.end(), [](uint8_t c) { return c >= '0' && c <= '9'; }));
    ASSERT_EQ(rig.link.readUnitVersion(0x06, two), kLinkOk);
    EXPECT_EQ(std::string(two.begin(), two.end()), "06");
    EXPECT_EQ(rig.link.readFirmwareChecksum(two), kLinkOk);
    EXPECT_EQ(rig.link.readTwoByteStatus(two), kLinkOk);
    std::vector<uint8_t> dump(545);
    EXPECT_EQ(rig.link.readAlignmentDump(dump), kLinkOk);
    std::vector<uint8_t> tuningBlock(8);
    ASSERT_EQ(rig.link.readMemory(tuningBlock, 0xF8F8), kLinkOk);
    EXPECT_EQ(tuningBlock[0], rig.repeater.memory().memory[0xF8F8]);
    EXPECT_EQ(rig.link.leaveModeOnce(), kLinkOk);
    EXPECT_FALSE(rig.repeater.inMode());
}

TEST(PasswordChecks, AcceptedRefusedAndUnanswered)
{
    sim::SimConfig config;
    config.writePassword = PasswordBytes{'A', 'B', 'C', '1', ' ', ' '};
    LinkRig rig(config);
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.link.checkWritePassword(PasswordBytes{'A', 'B', 'C', '1', ' ', ' '}), kLinkOk);
    EXPECT_EQ(rig.link.checkWritePassword(PasswordBytes{'A', 'B', 'C', '2', ' ', ' '}), kLinkRefused);
    // No message password stored (six 0xFF): the empty password is accepted.
    std::fill_n(rig.repeater.memory().memory.begin() + sim::kMessagePasswordAddress, 6, 0xFF);
    EXPECT_EQ(rig.link.checkMessagePassword(PasswordBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), kLinkOk);
    rig.repeater.config().faults.silentCommands[proto::kWritePassword] = 1;
    EXPECT_EQ(rig.link.checkWritePassword(PasswordBytes{'A', 'B', 'C', '1', ' ', ' '}), kLinkFailed);
}

} // namespace
} // namespace rps::test
