// A PC that vanished in the middle of a session and enters programming mode again at once gets
// the SYN of its new entry first: nothing the old session still had to say comes ahead of it.
#include "link/ProtocolBytes.h"
#include "sim/SimRepeater.h"

#include <gtest/gtest.h>

#include <string_view>

namespace rps::sim {
namespace {

void feed(SimRepeater& repeater, std::string_view bytes, uint32_t baud, uint64_t nowUs)
{
    for (char c : bytes)
        repeater.receive(static_cast<uint8_t>(c), baud, nowUs);
}

TEST(SimRestart, APcThatVanishedAfterPrepareEntersTheModeAgainAtOnce)
{
    for (const uint32_t huntBaud : {9600u, 19200u}) {
        SCOPED_TRACE(huntBaud);
        SimConfig config;
        config.huntBaud = huntBaud;
        config.faults.prepareDelayMs = 8000;
        SimRepeater repeater(config, defaultMemory(0x0400));
        uint64_t now = 1000;
        feed(repeater, "PROGRAM", huntBaud, now);
        repeater.poll(proto::kModeBaud, now);
        ASSERT_TRUE(repeater.inMode());
        repeater.output().clear();
        const char prepare[] = {static_cast<char>(proto::kPrepare), 0x00, static_cast<char>(0xFF)};
        feed(repeater, std::string_view(prepare, sizeof prepare), proto::kModeBaud, now);
        ASSERT_EQ(repeater.output().size(), 1u);
        ASSERT_GE(repeater.output().front().dueUs, now + 8'000'000);

        // Gone without a word; the next PC hunts a millisecond later.
        now += 1000;
        feed(repeater, "PROGRAM", huntBaud, now);
        ASSERT_EQ(repeater.output().size(), 1u);
        EXPECT_EQ(repeater.output().front().byte, proto::kSyn);
        EXPECT_EQ(repeater.output().front().baud, huntBaud);
        EXPECT_LE(repeater.output().front().dueUs, now);
        EXPECT_EQ(repeater.droppedCount(), 1);
        repeater.output().clear();
        repeater.poll(proto::kModeBaud, now);
        ASSERT_EQ(repeater.output().size(), 1u);
        EXPECT_EQ(repeater.output().front().byte, proto::kAck);
        EXPECT_TRUE(repeater.inMode());
    }
}

} // namespace
} // namespace rps::sim
