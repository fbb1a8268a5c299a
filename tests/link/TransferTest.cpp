// Read and write transfers against the simulated repeater.
#include "TransferRig.h"

#include "link/ProtocolBytes.h"
#include "link/RetryWrapper.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rps::test {
namespace {

ConfigImage imageFor(uint16_t modelCode)
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, InstallationId{});
    return image;
}

sim::SimMemory memoryWithRecord(uint16_t modelCode, const std::function<void(ModelBlock&)>& change)
{
    sim::SimMemory memory = sim::defaultMemory(modelCode);
    ModelBlock block(std::span<const uint8_t>(memory.blocks.data() + kModelBlockOffset, kModelBlockSize));
    change(block);
    block.writeTo(std::span<uint8_t>(memory.blocks.data() + kModelBlockOffset, kModelBlockSize));
    return memory;
}

long countOf(const std::vector<uint8_t>& log, uint8_t command)
{
    return std::count(log.begin(), log.end(), command);
}

TEST(ReadTransfer, FillsOnlyTheSnapshotWithTheRepeatersImage)
{
    sim::SimMemory memory = sim::defaultMemory(0x0700);
    memory.blocks[0x1234] = 0x5A;
    memory.blocks[kModelBlockOffset + 14] &= 0xFE; // read protection on: block 2 is read first
    memory.memory[0x0010] = 0x42;                  // auxiliary block
    memory.memory[0xFD05] = 'M';                   // protected message
    TransferRig rig({}, memory);
    ConfigImage image = imageFor(0x0400);
    image.local()[200] = 0x77;
    image.main()[0x2000] = 0x01; // an unsaved edit
    const ImageAreas before = image.working();

    ASSERT_EQ(runReadTransfer(rig.context, image), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());
    EXPECT_EQ(image.working(), before);
    EXPECT_TRUE(image.isModified());

    const ImageAreas& staged = image.snapshot();
    const ImageAreas expected = rig.repeater.memory().toAreas();
    EXPECT_TRUE(std::equal(staged.main.begin(), staged.main.end(), expected.main.begin()));
    EXPECT_EQ(staged.aux, expected.aux);
    EXPECT_TRUE(std::equal(staged.local.begin(), staged.local.begin() + 192, expected.local.begin()));
    EXPECT_EQ(staged.local[200], 0x77) << "trace bytes beyond 191 keep what the image held";
    EXPECT_EQ(countOf(rig.repeater.commandLog(), proto::kBlockRead), 161);

    EXPECT_EQ(rig.steps.front(), std::make_pair(0, 167));
    EXPECT_EQ(rig.steps.back(), std::make_pair(167, 167));
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.repeater.inMode());
}

TEST(ReadTransfer, TheModelBlockComesFromTheIdentificationNotFromBlock4)
{
    sim::SimConfig config;
    config.writePassword = PasswordBytes{'1', '2', '3', '4', '5', '6'}; // shows in the identification only
    TransferRig rig(config);
    ConfigImage image = imageFor(0x0400);
    ASSERT_EQ(runReadTransfer(rig.context, image), kLinkOk);
    const ModelBlock staged = readModelBlock(image.snapshot().main);
    EXPECT_EQ(staged.optionFlags() & kOptionWritePasswordEmpty, 0);
    EXPECT_TRUE(
        std::equal(staged.bytes().begin(), staged.bytes().end(), rig.link.identificationReply().begin()));
}

TEST(ReadTransfer, RepeatersThatCannotBeReadAreRefusedWithTheirMessage)
{
    struct Case {
        const char* what;
        sim::SimConfig config;
        sim::SimMemory memory;
        int text;
    };
    sim::SimConfig unprogrammed;
    unprogrammed.unprogrammed = true;
    std::vector<Case> cases;
    cases.push_back({"unprogrammed unit", unprogrammed, sim::defaultMemory(0x0400), 813});
    cases.push_back({"export VHF model 0x0402", {}, sim::defaultMemory(0x0402), 774});
    sim::SimMemory reserved = sim::defaultMemory(0x0600);
    reserved.blocks[kModelBlockOffset + 12] = 0x00;
    cases.push_back({"reserved bytes set", {}, reserved, 819});
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig rig(c.config, c.memory);
        ConfigImage image = imageFor(0x0400);
        const ImageAreas snapshotBefore = image.snapshot();
        EXPECT_EQ(runReadTransfer(rig.context, image), kLinkFailed);
        EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(c.text)});
        EXPECT_EQ(rig.dialogs.asked.front().caption, T(768));
        EXPECT_EQ(countOf(rig.repeater.commandLog(), proto::kBlockRead), 0);
        EXPECT_EQ(image.snapshot(), snapshotBefore);
        EXPECT_FALSE(rig.link.isOpen());
        EXPECT_EQ(rig.repeater.leaveCount(), 1);
    }
}

TEST(ReadTransfer, AFailureInBlock100LeavesTheWorkingImageAndItsStateAlone)
{
    sim::SimConfig config;
    config.faults.dieAtBlock = 100;
    TransferRig rig(config, sim::defaultMemory(0x0700));
    ConfigImage image = imageFor(0x0400);
    image.main()[0x1000] = 0x12;
    const ImageAreas before = image.working();
    EXPECT_EQ(runReadTransfer(rig.context, image), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_EQ(image.working(), before);
    EXPECT_TRUE(image.isModified());
    EXPECT_EQ(rig.steps.back(), std::make_pair(101, 167));
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(ReadTransfer, PortThatCannotBeOpenedAndABusyLink)
{
    TransferRig rig;
    ConfigImage image = imageFor(0x0400);
    rig.device.failNextOpen();
    EXPECT_EQ(runReadTransfer(rig.context, image), kLinkFailed);
    // A device that gives no reason: the message and the device.
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(772) + "\n" + rig.link.devicePath()});

    LinkSession other(rig.link);
    EXPECT_EQ(runReadTransfer(rig.context, image), kLinkFailed);
    EXPECT_EQ(rig.dialogs.asked.size(), 1u) << "a busy link starts nothing";
}

TEST(WriteTransfer, SendsTheStampedImageWithItsChecksumAndSetsTheClock)
{
    TransferRig rig;
    ConfigImage image = imageFor(0x0400);
    image.main()[0x1000] = 0x33;
    image.aux()[0x0100] = 0x44;
    image.aux()[0x0410] = 'Q'; // protected message: never written with the image
    ASSERT_EQ(runWriteTransfer(rig.context, image, WriteOptions{true}), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());

    const sim::SimMemory& radio = rig.repeater.memory();
    std::vector<uint8_t> zeroed(image.main().begin(), image.main().end());
    zeroed[0x256] = zeroed[0x257] = 0;
    unsigned sum = 0;
    for (uint8_t b : zeroed)
        sum += b;
    EXPECT_EQ(radio.blocks[0x256] | (radio.blocks[0x257] << 8), static_cast<int>(sum & 0xFFFF));
    EXPECT_TRUE(std::equal(image.main().begin(), image.main().end(), radio.blocks.begin()));
    EXPECT_EQ(radio.memory[0x0100], 0x44);
    EXPECT_NE(radio.memory[0xFD10], 'Q');
    EXPECT_EQ(std::string(radio.blocks.begin() + 0x248, radio.blocks.begin() + 0x250), "V1.00100");
    ASSERT_TRUE(rig.repeater.clockSet().has_value());
    EXPECT_EQ(rig.repeater.clockSet()->minute, 17);
    EXPECT_EQ(rig.repeater.prepareCount(), 1);
    EXPECT_EQ(rig.steps.back(), std::make_pair(165, 165));
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(WriteTransfer, ConfirmationListsThePasswordsTheRepeaterWillAskFor)
{
    TransferRig rig;
    ConfigImage image = imageFor(0x0400);
    ModelBlock block = readModelBlock(image.main());
    block.setOptionBits(kOptionReadPasswordEmpty | kOptionWritePasswordEmpty, false);
    writeModelBlock(image.main(), block);
    rig.dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed);
    ASSERT_EQ(rig.dialogs.asked.size(), 1u);
    EXPECT_EQ(rig.dialogs.asked[0].text, "T582\n\"T1025\"\n\"T1026\"\n\nT583\n\nT584");
    EXPECT_EQ(rig.dialogs.asked[0].caption, T(769));
    EXPECT_EQ(rig.device.openCount(), 0) << "cancelled before the port opened";
}

TEST(WriteTransfer, ModelComparisonIgnoresOnlyTheReservedBytes)
{
    {
        TransferRig rig({}, memoryWithRecord(0x0400, [](ModelBlock&) {}));
        rig.repeater.memory().blocks[kModelBlockOffset + 12] = 0x12;
        rig.repeater.memory().blocks[kModelBlockOffset + 13] = 0x34;
        ConfigImage image = imageFor(0x0400);
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkOk);
        EXPECT_TRUE(rig.dialogs.asked.empty());
    }
    {
        TransferRig rig({}, sim::defaultMemory(0x0403));
        ConfigImage image = imageFor(0x0400);
        rig.dialogs.answers = {MessageAnswer::Cancel};
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed);
        EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(777)});
        EXPECT_EQ(rig.repeater.prepareCount(), 0);
        EXPECT_FALSE(rig.link.isOpen());
    }
}

TEST(WriteTransfer, AnUnprogrammedUnitIsWrittenWithoutModelComparison)
{
    sim::SimConfig config;
    config.unprogrammed = true;
    TransferRig rig(config, sim::defaultMemory(0x0700));
    ConfigImage image = imageFor(0x0400);
    rig.dialogs.passwords = {std::string("")};
    ASSERT_EQ(runWriteTransfer(rig.context, image, {}), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());
    EXPECT_EQ(readModelBlock(rig.repeater.memory().blocks).modelCode(), 0x0400);
}

TEST(WriteTransfer, ThreeRefusedPasswordsEndTheWriteAndASecondTryCanSucceed)
{
    sim::SimConfig config;
    config.writePassword = PasswordBytes{'A', 'B', '1', ' ', ' ', ' '};
    {
        TransferRig rig(config);
        ConfigImage image = imageFor(0x0400);
        rig.dialogs.passwords = {std::string("x"), std::string("y"), std::string("z"), std::string("AB1")};
        // The data says "no password": the repeater's record differs in its option flags.
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed);
        EXPECT_EQ(rig.messageTexts(), (std::vector<std::string>{T(777), T(779), T(779), T(779)}));
        EXPECT_EQ(rig.dialogs.prompts, (std::vector<std::string>(3, T(1026))));
        EXPECT_EQ(rig.repeater.prepareCount(), 0);
        EXPECT_FALSE(rig.link.isOpen());
    }
    {
        TransferRig rig(config);
        ConfigImage image = imageFor(0x0400);
        rig.dialogs.passwords = {std::string("wrong"), std::string("AB1")};
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkOk);
        EXPECT_EQ(rig.repeater.prepareCount(), 1);
    }
    {
        TransferRig rig(config);
        ConfigImage image = imageFor(0x0400);
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed) << "Cancel in the password dialog";
        EXPECT_EQ(rig.repeater.leaveCount(), 1);
    }
}

TEST(WriteTransfer, ABlockFailureAbandonsTheWrite)
{
    sim::SimConfig config;
    config.faults.silentCommands['Z'] = -1;
    TransferRig rig(config);
    ConfigImage image = imageFor(0x0400);
    EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_EQ(rig.repeater.abandonCount(), 1);
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(RetryWrapper, AFailedCommandEndsTheExchangeAfterOneMessage)
{
    TransferRig rig;
    ASSERT_TRUE(rig.connect());
    EXPECT_TRUE(runLinkCommand(rig.link, rig.dialogs, numberedTexts(), [] { return kLinkOk; }));
    EXPECT_TRUE(rig.dialogs.asked.empty());
    EXPECT_FALSE(runLinkCommand(rig.link, rig.dialogs, numberedTexts(), [] { return kLinkFailed; }));
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_EQ(rig.dialogs.asked.front().buttons, MessageButtons::Ok);
    EXPECT_FALSE(rig.repeater.inMode());
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(PasswordEntry, LettersAndDigitsBlankPaddedEmptyIsErased)
{
    EXPECT_EQ(passwordBytes("ab1"), (PasswordBytes{'a', 'b', '1', ' ', ' ', ' '}));
    EXPECT_EQ(passwordBytes("a-b c!"), (PasswordBytes{'a', 'b', 'c', ' ', ' ', ' '}));
    EXPECT_EQ(passwordBytes("1234567"), (PasswordBytes{'1', '2', '3', '4', '5', '6'}));
    EXPECT_EQ(passwordBytes("   "), (PasswordBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

} // namespace
} // namespace rps::test
