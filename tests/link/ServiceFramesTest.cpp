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
    EXPECT_EQ(five, (std::array<uint8_t, 5>{0x19, 0x02, 0x03, 0x04, 0x05}));
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
