// The simulated repeater keeps a programming session until the PC leaves, abandons or starts
// over, however long the PC is silent.
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

} // namespace
} // namespace rps::test
