// Block and memory frames: fill form, checksum retries, result codes, length byte.
#include "LinkRig.h"

#include "link/ProtocolBytes.h"

#include <gtest/gtest.h>

#include <numeric>

namespace rps::test {
namespace {

class BlockFrames : public ::testing::Test {
protected:
    void SetUp() override { rig.link.setBlockSize(256); }
    void connectPlain()
    {
        rig.link.options().encryptMode = false;
        ASSERT_TRUE(rig.connect());
        rig.device.clearWire();
    }
    LinkRig rig;
};

TEST_F(BlockFrames, AUniformBlockIsWrittenAsZWithOneFillByte)
{
    connectPlain();
    std::vector<uint8_t> zeros(256, 0x00);
    ASSERT_EQ(rig.link.writeBlock(zeros, 0x0095), kLinkOk);
    EXPECT_EQ(rig.sentBytes(), (std::vector<uint8_t>{'Z', 0x00, 0x95, 0x00}));
    EXPECT_TRUE(std::all_of(rig.repeater.memory().blocks.begin() + 0x95 * 256,
                            rig.repeater.memory().blocks.begin() + 0x96 * 256,
                            [](uint8_t b) { return b == 0; }));
}

TEST_F(BlockFrames, AMixedBlockTravelsWithItsChecksum)
{
    connectPlain();
    std::vector<uint8_t> data(256);
    std::iota(data.begin(), data.end(), 0);
    ASSERT_EQ(rig.link.writeBlock(data, 7), kLinkOk);
    const std::vector<uint8_t> sent = rig.sentBytes();
    ASSERT_EQ(sent.size(), 3u + 256u + 1u);
    EXPECT_EQ(sent[0], 'W');
    EXPECT_EQ(sent.back(), static_cast<uint8_t>(255 * 256 / 2 % 256));
    std::vector<uint8_t> back(256);
    ASSERT_EQ(rig.link.readBlock(back, 7), kLinkOk);
    EXPECT_EQ(back, data);
}

TEST_F(BlockFrames, AFillReplyOnReadYieldsTheWholeBlock)
{
    connectPlain();
    std::vector<uint8_t> block(256, 0x00);
    ASSERT_EQ(rig.link.readBlock(block, 0x70), kLinkOk); // an erased block
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(rig.receivedBytes(), (std::vector<uint8_t>{'Z', 0xFF, proto::kAck}));
}

TEST_F(BlockFrames, ABadChecksumIsNakedAndRetriedUpToThreeTimes)
{
    rig.repeater.config().faults.badChecksums = 1;
    connectPlain();
    std::vector<uint8_t> block(256);
    ASSERT_EQ(rig.link.readBlock(block, 4), kLinkOk);
    EXPECT_EQ(block[0], 'R') << "model block of the repeater";
    const std::vector<uint8_t> sent = rig.sentBytes();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), proto::kNak), 1);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), 'R'), 2);

    rig.repeater.config().faults.badChecksums = 3;
    std::vector<uint8_t> untouched(256, 0x33);
    EXPECT_EQ(rig.link.readBlock(untouched, 4), kLinkFailed);
    EXPECT_TRUE(std::all_of(untouched.begin(), untouched.end(), [](uint8_t b) { return b == 0x33; }))
        << "a failed read leaves the destination alone";
}

TEST_F(BlockFrames, AWriteThatIsNeverAcknowledgedFailsAfterThreeAttempts)
{
    rig.repeater.config().faults.nakCommands['W'] = 3;
    connectPlain();
    std::vector<uint8_t> data(256);
    std::iota(data.begin(), data.end(), 1);
    EXPECT_EQ(rig.link.writeBlock(data, 9), kLinkFailed);
    const std::vector<uint8_t> sent = rig.sentBytes();
    EXPECT_EQ(sent.size(), 3u * 260u);

    rig.repeater.config().faults.nakCommands['W'] = 2;
    EXPECT_EQ(rig.link.writeBlock(data, 9), kLinkOk);
}

TEST_F(BlockFrames, AMemoryReadOf256BytesSendsLengthZero)
{
    connectPlain();
    std::vector<uint8_t> window(256);
    ASSERT_EQ(rig.link.readMemory(window, 0xFD00), kLinkOk);
    EXPECT_EQ(rig.sentBytes(), (std::vector<uint8_t>{'S', 0xFD, 0x00, 0x00, proto::kAck}));
    std::vector<uint8_t> tooLong(257);
    EXPECT_EQ(rig.link.readMemory(tooLong, 0), kLinkFailed);
    std::vector<uint8_t> data(256, 0x5A);
    data[3] = 0;
    ASSERT_EQ(rig.link.writeMemory(data, 0x0100), kLinkOk);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.repeater.memory().memory.begin() + 0x0100));
}

TEST_F(BlockFrames, PrepareWaitsForASlowRepeater)
{
    rig.repeater.config().faults.prepareDelayMs = 15000;
    connectPlain();
    EXPECT_EQ(rig.link.prepareWrite(), kLinkOk);
    EXPECT_EQ(rig.link.readTimeout(), 550) << "the long wait is for this answer only";
    rig.repeater.config().faults.prepareDelayMs = 21000;
    EXPECT_EQ(rig.link.prepareWrite(), kLinkFailed);
}

// A repeater that answers with scripted bytes, to reach the reply paths a sane one never takes.
class ScriptedDevice : public ByteDevice {
public:
    bool open(const std::string&) override { return open_ = true; }
    bool close() override { return !(open_ = false); }
    bool isOpen() const override { return open_; }
    bool applyLineSettings(const LineSettings&) override { return true; }
    bool setRts(bool) override { return true; }
    std::size_t read(uint8_t* destination, std::size_t count, int) override
    {
        std::size_t got = 0;
        while (got < count && !replies.empty()) {
            destination[got++] = replies.front();
            replies.erase(replies.begin());
        }
        return got;
    }
    bool writeAll(const uint8_t* source, std::size_t count) override
    {
        sent.insert(sent.end(), source, source + count);
        return true;
    }
    void discardInput() override {}
    std::optional<bool> takeLineError() override { return false; }
    uint64_t tickMs() override { return 0; }
    void delayMs(int) override {}

    std::vector<uint8_t> replies;
    std::vector<uint8_t> sent;

private:
    bool open_ = false;
};

TEST(BlockReadReplies, NoiseInPlaceOfTheReplyTypeIsAFailedAttempt)
{
    ScriptedDevice device;
    RadioLink link(device);
    link.setPort(1, "/dev/x");
    link.setBlockSize(256);
    ASSERT_TRUE(link.open());
    std::vector<uint8_t> block(256, 0x11);
    device.replies = {0x42, 0x00, 0x42, 0x00, 0x42, 0x00};
    EXPECT_EQ(link.readBlock(block, 1), kLinkFailed);
    EXPECT_EQ(std::count(device.sent.begin(), device.sent.end(), 'R'), 3);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0x11; }));

    device.replies = {'Z', 0x00, proto::kNak};
    EXPECT_EQ(link.readBlock(block, 1), 10) << "the final answer was not ACK";
    std::vector<uint8_t> bad{'W'};
    bad.insert(bad.end(), 256, 0x01);
    bad.push_back(0x02);
    bad.push_back(proto::kNak);
    device.replies = bad;
    EXPECT_EQ(link.readBlock(block, 1), 13) << "a NAK answered with anything but ACK";
}

} // namespace
} // namespace rps::test
