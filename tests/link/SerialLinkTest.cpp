// The byte layer: line settings, time-outs, discard-before-write, scrambling, port choice.
#include "LinkRig.h"

#include "link/ProtocolBytes.h"

#include <gtest/gtest.h>

namespace rps::test {
namespace {

TEST(SerialPortSettings, BlanksAreRemovedAndTheSuffixSwitchesSpeed)
{
    LinkRig rig;
    ASSERT_TRUE(rig.link.setLineSettings("9600, N, 8, 2"));
    EXPECT_EQ(rig.link.lineSettings(), "9600,N,8,2");
    EXPECT_EQ(rig.link.lineSettingsSuffix(), ",N,8,2");
    ASSERT_TRUE(rig.link.open());
    ASSERT_TRUE(rig.link.setLineSettings("4800 ,N,8,2"));
    EXPECT_EQ(rig.device.baud(), 4800u);
    EXPECT_FALSE(rig.link.setLineSettings("fast,N,8,2")) << "an unusable settings text must not be applied";

    const auto parsed = parseLineSettings("19200,n,8,1");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->parity, 'N');
    EXPECT_EQ(parsed->stopBits, 1);
    EXPECT_FALSE(parseLineSettings("19200,N,8").has_value());
    EXPECT_FALSE(parseLineSettings("19200,N,9,2").has_value());
}

TEST(SerialPortChoice, NumberZeroKeepsThePortAndAChangeReopens)
{
    LinkRig rig;
    ASSERT_TRUE(rig.link.open());
    EXPECT_EQ(rig.device.openCount(), 1);
    EXPECT_TRUE(rig.link.setPort(0, "/dev/other"));
    EXPECT_EQ(rig.link.devicePath(), "/dev/sim0");
    EXPECT_EQ(rig.device.openCount(), 1);
    EXPECT_TRUE(rig.link.setPort(3, "/dev/sim3"));
    EXPECT_EQ(rig.link.portNumber(), 3);
    EXPECT_EQ(rig.device.openCount(), 2);
    EXPECT_TRUE(rig.link.isOpen());
}

TEST(SerialPortChoice, AFailedOpenLeavesTheLinkClosed)
{
    LinkRig rig;
    rig.device.failNextOpen();
    EXPECT_FALSE(rig.link.open());
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_TRUE(rig.link.setOpenState(true));
    EXPECT_TRUE(rig.link.setOpenState(true)) << "already open is success";
    EXPECT_TRUE(rig.link.setOpenState(false));
    EXPECT_FALSE(rig.device.isOpen());

    // The device opened but the line cannot be set up: it is closed again.
    ASSERT_TRUE(rig.link.setLineSettings("9600,N,8,3"));
    EXPECT_FALSE(rig.link.open());
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.device.isOpen());
}

TEST(SerialPortReads, ShortReadFailsAndLateBytesAreDiscardedByTheNextWrite)
{
    LinkRig rig;
    ASSERT_TRUE(rig.connect());
    // 'P' answers 12 bytes: asking for 13 times out.
    ASSERT_TRUE(rig.link.writeByte(proto::kProductInfo));
    std::array<uint8_t, 13> tooMany{};
    const uint64_t before = rig.link.tickMs();
    EXPECT_FALSE(rig.link.readBuffer(tooMany));
    EXPECT_GE(rig.link.tickMs() - before, static_cast<uint64_t>(rig.link.readTimeout()));

    // The unread reply of an abandoned 'P' must not satisfy the next command.
    ASSERT_TRUE(rig.link.writeByte(proto::kProductInfo));
    rig.link.delay(10);
    std::array<uint8_t, 12> info{};
    EXPECT_EQ(rig.link.readProductInfo(info), kLinkOk);
    EXPECT_EQ(info[0], '0');
}

TEST(Scrambling, EveryByteOnTheWireIsTheLogicalByteXorTheKey)
{
    LinkRig rig;
    ASSERT_TRUE(rig.connect());
    const uint8_t key = rig.link.key();
    ASSERT_NE(key, 0) << "Encrypt Mode on with this clock and seed gives a non-zero key";
    EXPECT_EQ(key, rig.repeater.key());

    rig.device.clearWire();
    std::array<uint8_t, 96> trace{};
    ASSERT_EQ(rig.link.readMemory(trace, 0xF800), kLinkOk);
    const std::vector<uint8_t> sent = rig.sentBytes();
    const std::vector<uint8_t> logical{proto::kMemoryRead, 0xF8, 0x00, 96, proto::kAck};
    ASSERT_EQ(sent.size(), logical.size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(sent[i], logical[i] ^ key) << "byte " << i;
    const std::vector<uint8_t> received = rig.receivedBytes();
    ASSERT_EQ(received.size(), 1 + trace.size() + 1);
    EXPECT_EQ(received.front(), proto::kMemoryReply ^ key);
    for (std::size_t i = 0; i < trace.size(); ++i)
        EXPECT_EQ(received[1 + i] ^ key, rig.repeater.memory().memory[0xF800 + i]);
    EXPECT_TRUE(std::equal(trace.begin(), trace.end(), rig.repeater.memory().memory.begin() + 0xF800));
}

TEST(Scrambling, EncryptModeOffKeepsTheTrafficPlain)
{
    LinkRig rig;
    rig.link.options().encryptMode = false;
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.link.key(), 0);
    EXPECT_EQ(rig.repeater.key(), 0);
    rig.device.clearWire();
    std::array<uint8_t, 12> info{};
    ASSERT_EQ(rig.link.readProductInfo(info), kLinkOk);
    EXPECT_EQ(rig.sentBytes().front(), proto::kProductInfo);
}

} // namespace
} // namespace rps::test
