// Hardware versions, radio information and the radio clock against the simulated repeater.
#include "TransferRig.h"

#include "link/ProtocolBytes.h"
#include "model/ModelBlock.h"
#include "service/RadioClock.h"
#include "service/ServiceTools.h"

#include <gtest/gtest.h>

namespace rps::test {
namespace {

TEST(ServiceToolText, ChecksumIsFourHexDigitsHighNibbleFirst)
{
    EXPECT_EQ(checksumText(std::array<uint8_t, 2>{0xA0, 0x0F}), "A00F");
    EXPECT_EQ(checksumText(std::array<uint8_t, 2>{0x00, 0x00}), "0000");
    EXPECT_EQ(checksumText(std::array<uint8_t, 2>{0xFF, 0xC3}), "FFC3");
}

TEST(ServiceToolText, SerialNumberIsBytes16To27WithErasedBytesBlank)
{
    std::array<uint8_t, 32> unit{};
    unit.fill('x');
    const std::string serial = "AB12";
    std::copy(serial.begin(), serial.end(), unit.begin() + 16);
    std::fill(unit.begin() + 20, unit.begin() + 28, 0xFF);
    EXPECT_EQ(serialNumberText(unit), "AB12        ");
}

TEST(ServiceToolText, ClockDigitsBecomeDateAndTime)
{
    const std::string digits = "261207103005";
    std::array<uint8_t, 12> bytes{};
    std::copy(digits.begin(), digits.end(), bytes.begin());
    const ClockReading reading = clockReadingOf(bytes);
    EXPECT_EQ(reading.date, "2026-12-07");
    EXPECT_EQ(reading.time, "10:30:05");
}

TEST(RadioInformationTool, ReadsTheRepeaterAndLeavesItOutOfTheMode)
{
    sim::SimConfig config;
    config.serialNumber = {'4', '1', '0', '0', '7', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    TransferRig rig(config);
    RadioInformation information;

    ASSERT_EQ(readRadioInformation(rig.context, information), kLinkOk);
    EXPECT_TRUE(rig.dialogs.asked.empty());
    const RadioInformationLines lines = radioInformationLines(information);
    EXPECT_EQ(lines.serialNumber, "41007       ");
    EXPECT_EQ(lines.checksum, "5A3C");
    EXPECT_EQ(lines.model, "QLM-640: K");
    EXPECT_EQ(lines.frequency, "136-174 MHz");
    EXPECT_FALSE(rig.repeater.inMode());
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.link.claimed());
}

TEST(RadioInformationTool, AFailedChecksumEndsWithOneMessageAndClosesThePort)
{
    sim::SimConfig config;
    config.faults.silentCommands['|'] = 1;
    TransferRig rig(config);
    RadioInformation information;

    EXPECT_EQ(readRadioInformation(rig.context, information), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.link.claimed());
}

TEST(HardwareVersionTool, ShowsEachUnitsTwoCharacters)
{
    TransferRig rig;
    HardwareVersions versions;
    ASSERT_EQ(readHardwareVersions(rig.context, versions), kLinkOk);
    EXPECT_EQ(versions.txRxUnit, "05");
    EXPECT_EQ(versions.finalUnit, "06");
    EXPECT_EQ(versions.controlUnit, "07");
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(HardwareVersionTool, ARepeaterOutsideTheModelTableIsRefusedWith774)
{
    sim::SimMemory memory = sim::defaultMemory(0x0400);
    ModelBlock block(std::span<const uint8_t>(memory.blocks.data() + kModelBlockOffset, kModelBlockSize));
    block.setIdentifier("RXYZ0100");
    block.writeTo(std::span<uint8_t>(memory.blocks.data() + kModelBlockOffset, kModelBlockSize));
    TransferRig rig({}, memory);
    HardwareVersions versions;

    EXPECT_EQ(readHardwareVersions(rig.context, versions), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(774)});
    EXPECT_FALSE(rig.repeater.inMode());
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(RadioClockTool, OwnConnectionReadsSetsAndLeaves)
{
    TransferRig rig;
    {
        RadioClock clock(rig.context, ClockLink::Own);
        ASSERT_EQ(clock.start(), kLinkOk);
        EXPECT_TRUE(rig.link.claimed());
        ClockReading reading;
        ASSERT_EQ(clock.read(reading), kLinkOk);
        EXPECT_EQ(reading.date, "2026-12-07");
        EXPECT_EQ(reading.time, "10:30:00");

        ASSERT_EQ(clock.set(), kLinkOk); // the PC's clock of the rig: 2026-12-07 09:17:25
        ASSERT_EQ(clock.read(reading), kLinkOk);
        EXPECT_EQ(reading.time, "09:17:25");
    }
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.link.claimed());
    EXPECT_TRUE(rig.dialogs.asked.empty());
}

TEST(RadioClockTool, BorrowedLinkIsNeitherEnteredNorLeftNorClosed)
{
    TransferRig rig;
    ASSERT_TRUE(rig.connect());
    LinkSession testMode(rig.link);
    const std::size_t before = rig.repeater.commandLog().size();
    {
        RadioClock clock(rig.context, ClockLink::Borrowed);
        ASSERT_EQ(clock.start(), kLinkOk);
        ClockReading reading;
        ASSERT_EQ(clock.read(reading), kLinkOk);
        EXPECT_EQ(reading.date, "2026-12-07");
    }
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_TRUE(rig.repeater.inMode());
    EXPECT_EQ(rig.repeater.leaveCount(), 0);
    EXPECT_EQ(rig.repeater.commandLog().size(), before + 1); // the clock read alone
}

TEST(RadioClockTool, AFailedReadShows773AndEndsOnlyTheClock)
{
    TransferRig rig;
    ASSERT_TRUE(rig.connect());
    rig.repeater.config().faults.silentCommands[0xB3] = 1;
    RadioClock borrowed(rig.context, ClockLink::Borrowed);
    ASSERT_EQ(borrowed.start(), kLinkOk);
    ClockReading reading;
    EXPECT_EQ(borrowed.read(reading), kLinkFailed);
    EXPECT_FALSE(borrowed.running());
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    // Test mode keeps its link: still open and in the mode.
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_TRUE(rig.repeater.inMode());
    EXPECT_EQ(rig.repeater.leaveCount(), 0);
}

TEST(RadioClockTool, AFailedReadOnAnOwnConnectionLeavesAndCloses)
{
    sim::SimConfig config;
    config.faults.silentCommands[0xB3] = 1;
    TransferRig rig(config);
    RadioClock clock(rig.context, ClockLink::Own);
    ASSERT_EQ(clock.start(), kLinkOk);
    ClockReading reading;
    EXPECT_EQ(clock.read(reading), kLinkFailed);
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.link.claimed());
}

TEST(RadioClockTool, ATickDuringAnExchangeIsSkipped)
{
    TransferRig rig;
    ASSERT_TRUE(rig.link.open());
    RadioClock clock(rig.context, ClockLink::Borrowed);
    ASSERT_EQ(clock.start(), kLinkOk);
    int skipped = 0;
    int other = 0;
    // The message pump dispatches the clock's timer while test mode enters the mode.
    rig.link.setMessagePump([&] {
        ClockReading reading;
        ++(clock.read(reading) == kClockTickSkipped ? skipped : other);
    });
    EXPECT_EQ(rig.link.enterTuningMode(), kLinkOk);
    rig.link.setMessagePump(nullptr);
    EXPECT_GT(skipped, 0);
    EXPECT_EQ(other, 0);
    EXPECT_TRUE(clock.running());
    EXPECT_TRUE(rig.dialogs.asked.empty());
}

} // namespace
} // namespace rps::test
