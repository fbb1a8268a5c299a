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
    // Block 4 holds what the last write put there: no write password and other option
    // flags. The unit identifies with its own write password setting.
    sim::SimConfig config;
    config.writePassword = PasswordBytes{'1', '2', '3', '4', '5', '6'};
    sim::SimMemory memory = memoryWithRecord(0x0400, [](ModelBlock& block) {
        block.setOptionFlags(0xFFFF);
        block.setOptionBits(kOptionReadPasswordEmpty | kOptionBit3, false);
    });
    TransferRig rig(config, memory);
    ConfigImage image = imageFor(0x0400);
    ASSERT_EQ(runReadTransfer(rig.context, image), kLinkOk);

    const auto& identification = rig.link.identificationReply();
    const auto block4 = rig.repeater.memory().blocks.begin() + kModelBlockOffset;
    ASSERT_FALSE(std::equal(identification.begin(), identification.begin() + kModelBlockSize, block4));
    const ModelBlock staged = readModelBlock(image.snapshot().main);
    EXPECT_TRUE(std::equal(staged.bytes().begin(), staged.bytes().end(), identification.begin()));
    EXPECT_EQ(staged.optionFlags(),
              0xFFFF & ~(kOptionReadPasswordEmpty | kOptionBit3 | kOptionWritePasswordEmpty));
    // Everything else of block 4 is what the repeater holds.
    const auto& main = image.snapshot().main;
    EXPECT_TRUE(
        std::equal(main.begin() + 0x400 + kModelBlockSize, main.begin() + 0x500, block4 + kModelBlockSize));
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

TEST(WriteTransfer, WritesFourAuxiliaryWindowsAndItsProgressNeverPassesItsTotal)
{
    for (const bool setClock : {false, true}) {
        SCOPED_TRACE(setClock ? "with the clock" : "without the clock");
        TransferRig rig;
        ConfigImage image = imageFor(0x0400);
        ASSERT_EQ(runWriteTransfer(rig.context, image, WriteOptions{setClock}), kLinkOk);
        // The protected message window is never written with the image.
        EXPECT_EQ(
            rig.repeater.memoryWrites(),
            (std::vector<sim::MemoryWrite>{{0x0000, 256}, {0x0100, 256}, {0x0200, 256}, {0x0300, 256}}));
        int previous = 0;
        for (const auto& [step, total] : rig.steps) {
            EXPECT_EQ(total, 165);
            EXPECT_LE(step, total);
            EXPECT_GE(step, previous);
            previous = step;
        }
        EXPECT_EQ(rig.steps.back(), std::make_pair(165, 165));
    }
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

// Identifier, destination and band (bytes 0..11) name the model: writing over another one is
// a model change. Option flags alone (bytes 14..15) are the routine question, with what differs
// said for a front end that names it instead.
TEST(WriteTransfer, OnlyAnotherModelIsAskedAsAModelChange)
{
    struct Case {
        const char* what;
        std::size_t byte;
        uint8_t flip;
        QuestionKind kind;
        std::string detail;
    };
    const Case cases[] = {
        {"identifier RQLM0940", 5, '6' ^ '9', QuestionKind::ModelChange, ""},
        {"destination variant 2", 10, 0x02, QuestionKind::ModelChange, ""},
        {"band type 7", 11, 0x04 ^ 0x07, QuestionKind::ModelChange, ""},
        {"option flag bit 3", 14, 0x08, QuestionKind::OptionFlags, "(repeater: 0x"},
        {"option flag bit 15", 15, 0x80, QuestionKind::OptionFlags, "(repeater: 0x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig rig;
        rig.repeater.memory().blocks[kModelBlockOffset + c.byte] ^= c.flip;
        ConfigImage image = imageFor(0x0400);
        rig.dialogs.answers = {MessageAnswer::Cancel};
        EXPECT_EQ(runWriteTransfer(rig.context, image, {}), kLinkFailed);
        ASSERT_EQ(rig.dialogs.asked.size(), 1u);
        EXPECT_EQ(rig.dialogs.asked[0].text, T(777));
        EXPECT_EQ(rig.dialogs.asked[0].kind, c.kind);
        if (c.detail.empty())
            EXPECT_EQ(rig.dialogs.asked[0].detail, "");
        else
            EXPECT_NE(rig.dialogs.asked[0].detail.find(c.detail), std::string::npos)
                << rig.dialogs.asked[0].detail;
        // Refused: after the identification only the leave command reaches the repeater.
        const std::vector<uint8_t>& log = rig.repeater.commandLog();
        const auto identified = std::find(log.begin(), log.end(), proto::kIdentify);
        ASSERT_NE(identified, log.end());
        EXPECT_EQ(std::vector<uint8_t>(identified + 1, log.end()), std::vector<uint8_t>{proto::kLeave});
        EXPECT_FALSE(rig.repeater.inMode());
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

// A transfer told to stop (Ctrl+C on the command line) ends on its normal path without a
// message: it leaves the mode, or abandons a write it has prepared, so the repeater is never
// left in programming mode.
TEST(Transfers, AnInterruptionLeavesOrAbandonsTheSession)
{
    struct Case {
        const char* what;
        bool write;
        int fromStep; // the transfer is told to stop once this progress step was shown; -1: at once
        int leaves;
        int abandons;
        int prepares;
    };
    const Case cases[] = {
        {"read, in the main area", false, 10, 1, 0, 0},
        {"write, before the prepare", true, -1, 1, 0, 0},
        {"write, in the main area", true, 10, 0, 1, 1},
        {"write, in the auxiliary windows", true, 162, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig rig;
        rig.context.interrupted = [&] {
            return c.fromStep < 0 || (!rig.steps.empty() && rig.steps.back().first >= c.fromStep);
        };
        ConfigImage image = imageFor(0x0400);
        image.main()[0x2000] = 0x77;
        image.markClean();
        const int result =
            c.write ? runWriteTransfer(rig.context, image, {}) : runReadTransfer(rig.context, image);
        EXPECT_EQ(result, kLinkFailed);
        EXPECT_TRUE(rig.dialogs.asked.empty());
        EXPECT_EQ(rig.repeater.leaveCount(), c.leaves);
        EXPECT_EQ(rig.repeater.abandonCount(), c.abandons);
        EXPECT_EQ(rig.repeater.prepareCount(), c.prepares);
        EXPECT_FALSE(rig.repeater.inMode());
        EXPECT_FALSE(rig.link.isOpen());
        if (!rig.steps.empty()) {
            EXPECT_LE(rig.steps.back().first, std::max(c.fromStep, 0) + 1)
                << "it went on after the interruption";
        }
        EXPECT_EQ(image.main()[0x2000], 0x77);
        if (!c.write) {
            EXPECT_FALSE(image.isModified()) << "a stopped read leaves the working image alone";
        }
    }
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
