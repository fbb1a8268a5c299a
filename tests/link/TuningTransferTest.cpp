// The tuning block over the link against the in-process simulated repeater.
#include "TransferRig.h"

#include "link/ProtocolBytes.h"
#include "link/TuningTransfer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rps::test {
namespace {

TuningBlockBytes radioBlock(const sim::SimRepeater& repeater)
{
    TuningBlockBytes block;
    std::copy_n(repeater.memory().memory.begin() + kTuningBlockAddress, block.size(), block.begin());
    return block;
}

UnitRecord radioUnit(TransferRig& rig)
{
    TuningBlockBytes block;
    UnitRecord unit{};
    EXPECT_EQ(runTuningRead(rig.context, block, unit), kLinkOk);
    return unit;
}

// The serial number as it reads (0xFF and other bytes as blanks, none at the end), then the
// record's first sixteen bytes in hex.
TEST(TuningTransfer, AUnitRecordReadsAsItsSerialNumberAndItsBytes)
{
    UnitRecord unit{};
    unit.fill(0xFF);
    for (std::size_t i = 0; i < 16; ++i)
        unit[i] = static_cast<uint8_t>(i);
    const char serial[] = "SN 42";
    std::copy_n(serial, 5, unit.begin() + 16);
    unit[22] = 0x07;
    unit[23] = '~';
    EXPECT_EQ(unitRecordText(unit), "SN 42  ~ (000102030405060708090A0B0C0D0E0F)");
    std::fill(unit.begin() + 16, unit.begin() + 28, 0xFF);
    EXPECT_EQ(unitRecordText(unit), "(000102030405060708090A0B0C0D0E0F)");
}

TEST(TuningTransfer, ReadBringsTheBlockAndTheUnitRecordInSevenWindows)
{
    sim::SimConfig unprogrammed; // an unprogrammed unit keeps its alignment and can be read
    unprogrammed.unprogrammed = true;
    for (const sim::SimConfig& config : {sim::SimConfig{}, unprogrammed}) {
        TransferRig rig(config);
        TuningBlockBytes block{};
        UnitRecord unit{};
        ASSERT_EQ(runTuningRead(rig.context, block, unit), kLinkOk);
        EXPECT_EQ(block, radioBlock(rig.repeater));
        EXPECT_EQ(std::string(unit.begin() + 16, unit.begin() + 28), "SN0000360123");
        EXPECT_EQ(rig.steps.front(), std::make_pair(0, 7));
        EXPECT_EQ(rig.steps.back(), std::make_pair(7, 7));
        EXPECT_EQ(std::count(rig.repeater.commandLog().begin(), rig.repeater.commandLog().end(),
                             proto::kMemoryRead),
                  7);
        EXPECT_TRUE(rig.dialogs.asked.empty());
        EXPECT_FALSE(rig.link.isOpen());
    }
    EXPECT_EQ(tuningWindow(0).address, 0xF8F8);
    EXPECT_EQ(tuningWindow(0).length, 8u);
    EXPECT_EQ(tuningWindow(6).address, 0xFB80);
    EXPECT_EQ(tuningWindow(6).offset, 648u);
}

TEST(TuningTransfer, ARefusedModelOrAFailedWindowEndsTheReadWithItsMessage)
{
    {
        TransferRig rig({}, sim::defaultMemory(0x0402));
        TuningBlockBytes block{};
        UnitRecord unit{};
        EXPECT_EQ(runTuningRead(rig.context, block, unit), kLinkFailed);
        EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(774)});
        EXPECT_EQ(std::count(rig.repeater.commandLog().begin(), rig.repeater.commandLog().end(),
                             proto::kMemoryRead),
                  0);
    }
    sim::SimConfig silent;
    silent.faults.silentCommands[proto::kMemoryRead] = -1;
    TransferRig rig(silent);
    TuningBlockBytes block{};
    UnitRecord unit{};
    EXPECT_EQ(runTuningRead(rig.context, block, unit), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(TuningTransfer, WriteSendsTheSameSevenWindowsToTheSameUnitWithoutAsking)
{
    TransferRig rig;
    const UnitRecord unit = radioUnit(rig);
    TuningBlockBytes block;
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i ^ 0x55);
    ASSERT_EQ(runTuningWrite(rig.context, block, unit), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());
    EXPECT_EQ(radioBlock(rig.repeater), block);
    std::vector<sim::MemoryWrite> expected{{0xF8F8, 8}};
    for (uint16_t a = 0xF900; a <= 0xFB80; a += 128)
        expected.push_back({a, 128});
    EXPECT_EQ(rig.repeater.memoryWrites(), expected);
}

TEST(TuningTransfer, ABlockOfAnotherUnitAsksBeforeAnyMemoryIsWritten)
{
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        TransferRig rig;
        UnitRecord other = radioUnit(rig);
        other[20] ^= 1;
        const TuningBlockBytes before = radioBlock(rig.repeater);
        TuningBlockBytes block{};
        rig.dialogs.answers = {answer};
        const int result = runTuningWrite(rig.context, block, other);
        ASSERT_EQ(rig.dialogs.asked.size(), 1u);
        EXPECT_EQ(rig.dialogs.asked[0].kind, QuestionKind::OtherUnit);
        EXPECT_EQ(rig.dialogs.asked[0].caption, T(769));
        EXPECT_EQ(rig.dialogs.asked[0].text.rfind(T(801) + "\n\n    " + T(763) + ": ", 0), 0u);
        EXPECT_FALSE(rig.link.isOpen());
        if (answer == MessageAnswer::Cancel) {
            EXPECT_EQ(result, kLinkFailed);
            EXPECT_TRUE(rig.repeater.memoryWrites().empty());
            EXPECT_EQ(radioBlock(rig.repeater), before);
            EXPECT_FALSE(rig.repeater.inMode());
        } else {
            EXPECT_EQ(result, kLinkOk);
            EXPECT_EQ(radioBlock(rig.repeater), block);
        }
    }
}

} // namespace
} // namespace rps::test
