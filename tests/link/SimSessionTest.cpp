// The simulated repeater keeps a programming session until the PC leaves, abandons or starts
// over, however long the PC is silent; a PC that vanished mid-session can start again at once.
#include "TransferRig.h"

#include "link/ProtocolBytes.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace rps::test {
namespace {

ConfigImage newImageOf(uint16_t modelCode)
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, InstallationId{});
    return image;
}

int readBlock4(LinkRig& rig)
{
    std::array<uint8_t, 256> block{};
    rig.link.setBlockSize(256);
    return rig.link.readBlock(block, 4);
}

TEST(SimSession, ThirtySecondsOfSilenceDoNotEndASession)
{
    LinkRig rig;
    ASSERT_TRUE(rig.connect());
    rig.link.delay(30000);
    EXPECT_EQ(readBlock4(rig), kLinkOk);
    EXPECT_TRUE(rig.repeater.inMode());
    EXPECT_EQ(rig.link.leaveMode(), kLinkOk);
}

TEST(SimSession, AFrameLeftUnfinishedIsForgottenWhenTheLineGoesQuiet)
{
    LinkRig rig;
    ASSERT_TRUE(rig.connect());
    const std::array<uint8_t, 13> part{proto::kBlockWrite, 0x00, 0x07, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_TRUE(rig.link.writeBuffer(part));
    rig.link.delay(30000);
    EXPECT_EQ(readBlock4(rig), kLinkOk);
    EXPECT_EQ(rig.repeater.memory().blocks[0x0700], 0xFF) << "half a block is never stored";
}

TEST(SimSession, AWriteWaitsForASlowPrepareAndForAPasswordTypedLate)
{
    struct Case {
        const char* what;
        int prepareDelayMs;
        int typingMs;
    };
    for (const Case& c :
         {Case{"prepare answered after 8 s", 8000, 0}, Case{"write password typed after 6 s", 0, 6000},
          Case{"both, with a minute at the keyboard", 19000, 60000}}) {
        SCOPED_TRACE(c.what);
        sim::SimConfig config;
        config.faults.prepareDelayMs = c.prepareDelayMs;
        config.writePassword = PasswordBytes{'7', '1', '1', ' ', ' ', ' '};
        TransferRig rig(config);
        rig.dialogs.passwords = {std::string("711")};
        rig.dialogs.whileAsking = [&rig, &c] { rig.device.delayMs(c.typingMs); };
        ConfigImage image = newImageOf(0x0400);
        image.main()[0x1000] = 0x5C;
        ASSERT_EQ(runWriteTransfer(rig.context, image, {}), kLinkOk);
        EXPECT_EQ(rig.dialogs.prompts.size(), 1u);
        EXPECT_EQ(rig.repeater.prepareCount(), 1);
        EXPECT_TRUE(
            std::equal(image.main().begin(), image.main().end(), rig.repeater.memory().blocks.begin()));
        EXPECT_EQ(rig.repeater.leaveCount(), 1);
    }
}

// Where the PC can vanish (killed, unplugged) while the repeater stays in its session.
struct Vanished {
    const char* what;
    std::function<void(LinkRig&)> leaveOff;
};

std::vector<Vanished> vanishingPoints()
{
    return {
        {"after key agreement", [](LinkRig& rig) { ASSERT_TRUE(rig.connect()); }},
        {"between SYN and ACK",
         [](LinkRig& rig) {
             ASSERT_TRUE(rig.link.open());
             ASSERT_TRUE(rig.link.setLineSettings("9600,N,8,2"));
             ASSERT_TRUE(rig.link.writeText("PROGRAM"));
         }},
        {"before the key challenge",
         [](LinkRig& rig) {
             ASSERT_TRUE(rig.link.open());
             ASSERT_EQ(rig.link.enterProgramMode(), kLinkOk);
             ASSERT_TRUE(rig.link.writeByte(proto::kIdentify));
         }},
        {"in the middle of a block write",
         [](LinkRig& rig) {
             ASSERT_TRUE(rig.connect());
             const std::array<uint8_t, 40> part{proto::kBlockWrite, 0x00, 0x10};
             ASSERT_TRUE(rig.link.writeBuffer(part));
         }},
        {"before acknowledging a block",
         [](LinkRig& rig) {
             ASSERT_TRUE(rig.connect());
             const std::array<uint8_t, 3> read{proto::kBlockRead, 0x00, 0x04};
             ASSERT_TRUE(rig.link.writeBuffer(read));
         }},
        {"in tuning mode",
         [](LinkRig& rig) {
             ASSERT_TRUE(rig.link.open());
             ASSERT_EQ(rig.link.enterTuningMode(), kLinkOk);
         }},
    };
}

TEST(SimSession, APcThatVanishedMidSessionCanReadAgainAtOnce)
{
    for (uint32_t huntBaud : {9600u, 4800u, 19200u}) {
        for (const Vanished& v : vanishingPoints()) {
            SCOPED_TRACE(std::string(v.what) + " at " + std::to_string(huntBaud));
            sim::SimConfig config;
            config.huntBaud = huntBaud;
            TransferRig rig(config);
            v.leaveOff(rig);
            rig.link.close(); // no 'E', and no time passes before the next read
            ConfigImage image = newImageOf(0x0600);
            EXPECT_EQ(runReadTransfer(rig.context, image), kLinkOk);
            EXPECT_TRUE(rig.messageTexts().empty());
            EXPECT_EQ(readModelBlock(image.snapshot().main).modelCode(), 0x0400);
            EXPECT_FALSE(rig.repeater.inMode());
        }
    }
}

TEST(SimSession, AnEntryTextAt19200StartsOverBeforeItsPIsTakenAsACommand)
{
    sim::SimConfig config;
    config.huntBaud = 19200;
    LinkRig rig(config);
    rig.link.options().encryptMode = false; // key 0: the text's bytes go out as they are
    ASSERT_TRUE(rig.connect());
    ASSERT_EQ(rig.link.key(), 0);
    // A lone 'P' is still the information command, answered once no entry text follows.
    std::array<uint8_t, 12> product{};
    EXPECT_EQ(rig.link.readProductInfo(product), kLinkOk);

    rig.device.clearWire();
    ASSERT_TRUE(rig.link.writeText("PROGRAM"));
    std::array<uint8_t, 1> answer{};
    ASSERT_TRUE(rig.link.readBuffer(answer));
    EXPECT_EQ(answer[0], proto::kSyn);
    EXPECT_EQ(rig.receivedBytes(), std::vector<uint8_t>{proto::kSyn});
    EXPECT_EQ(rig.repeater.droppedCount(), 1);
}

TEST(SimSession, BytesAtAnotherSpeedMeanNothingInASession)
{
    LinkRig rig;
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.link.setLineSettings("9600,N,8,2"));
    rig.device.clearWire();
    EXPECT_EQ(rig.link.leaveModeOnce(), kLinkFailed);
    EXPECT_TRUE(rig.receivedBytes().empty());
    EXPECT_TRUE(rig.repeater.inMode());
    ASSERT_TRUE(rig.link.setLineSettings("19200,N,8,2"));
    EXPECT_EQ(rig.link.leaveModeOnce(), kLinkOk);
    EXPECT_FALSE(rig.repeater.inMode());
}

} // namespace
} // namespace rps::test
