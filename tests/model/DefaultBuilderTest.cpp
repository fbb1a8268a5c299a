#include "model/DefaultBuilder.h"
#include "model/ByteOrder.h"
#include "model/ModelTable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rps;

namespace {

const InstallationId kId{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB};

ConfigImage newImageOf(uint16_t modelCode)
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    image.main()[0x1234] = 0x00; // editing left over from before New
    image.aux()[0x10] = 0x00;
    image.local()[0x10] = 0x00;
    newImage(image, kId);
    return image;
}

bool allEmpty(std::span<const uint8_t> area, std::size_t from, std::size_t to)
{
    return std::all_of(area.begin() + static_cast<std::ptrdiff_t>(from),
                       area.begin() + static_cast<std::ptrdiff_t>(to), [](uint8_t b) { return b == 0xFF; });
}

} // namespace

TEST(NewImage, KeepsTheModelAndLeavesEverythingElseEmptyOrDefault)
{
    const ConfigImage image = newImageOf(0x0600);
    const auto main = image.main();
    const ModelBlock block = readModelBlock(main);
    EXPECT_EQ(block.modelCode(), 0x0600);
    EXPECT_EQ(block.identifier(), "RQLM0940");
    EXPECT_TRUE(block.readPasswordEmpty());
    EXPECT_TRUE(block.writePasswordEmpty());
    EXPECT_TRUE(block.optionFlags() & kOptionBit3);
    EXPECT_FALSE(image.isModified());

    // Areas no default reaches: the channel index and records, the rest of the multi table
    // area, the gaps between the tables, the auxiliary maps and the local block.
    EXPECT_TRUE(allEmpty(main, 0x0000, 0x0100));
    EXPECT_TRUE(allEmpty(main, 0x0DC0, 0x5400));
    EXPECT_TRUE(allEmpty(main, 0x5810, 0x5B00));
    EXPECT_TRUE(allEmpty(main, 0x5B10, 0x8000));
    EXPECT_TRUE(allEmpty(image.aux(), 0x000, 0x400));
    EXPECT_TRUE(allEmpty(image.aux(), 0x446, 0x500));
    EXPECT_TRUE(allEmpty(image.local(), 0, kLocalSize));
    EXPECT_TRUE(allEmpty(main, 0x0250, 0x0256)); // read authorization password stays empty
}

TEST(NewImage, DefaultTestAndTuningFrequenciesFollowTheBand)
{
    struct Case {
        uint16_t code;
        uint32_t firstRx, firstTx, thirdTx, tuning1Rx;
    };
    for (const Case c : {Case{0x0400, 155050000, 155100000, 173900000, 145550000},
                         Case{0x0600, 485050000, 485100000, 519900000, 467550000},
                         Case{0x0703, 435050000, 435100000, 469900000, 417550000}}) {
        const ConfigImage image = newImageOf(c.code);
        const auto main = image.main();
        EXPECT_EQ(getU32(main, 0x0100), c.firstRx) << std::hex << c.code;
        EXPECT_EQ(getU32(main, 0x0104), c.firstTx);
        EXPECT_EQ(getU32(main, 0x0114), c.thirdTx);
        EXPECT_EQ(getU32(main, 0x0118), getU32(main, 0x011C)); // entry 3: receive = transmit
        EXPECT_TRUE(allEmpty(main, 0x0130, 0x0180));           // entry 6 and the rest stay empty
        EXPECT_EQ(getU32(main, 0x03C8), c.tuning1Rx);
    }
}

TEST(BuildDefaults, FlagsChooseModelAndOptionThree)
{
    ConfigImage image;
    ModelBlock uhf = ModelBlock::fromModelCode(0x0700);
    uhf.setOptionFlags(0x0000);
    writeModelBlock(image.main(), uhf);
    buildDefaults(image, false, true, kId);
    EXPECT_EQ(readModelBlock(image.main()).optionFlags(), kOptionBit3);
    EXPECT_EQ(readModelBlock(image.main()).modelCode(), 0x0700);

    buildDefaults(image, true, false, kId);
    const ModelBlock block = readModelBlock(image.main());
    EXPECT_EQ(block.identifier(), "RQLM0640");
    EXPECT_EQ(block.modelCode(), 0x0400);
    EXPECT_EQ(block.optionFlags(), 0xFFFF);
    EXPECT_EQ(getU32(image.main(), 0x0100), 155050000u); // tables of the restored VHF model
}

TEST(BuildDefaults, SpotChecksAcrossTheSteps)
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
    auto main = image.main();
    main[0x541E] = 0x12; // multi table bytes 30/31 of a block are not defaults
    main[0x8001] = 0xA5; // user record: only the low four bits of byte 1 are cleared
    buildDefaults(image, false, false, kId);

    EXPECT_EQ(std::string(main.begin() + 0x0248, main.begin() + 0x0250), "V1.00100");
    EXPECT_EQ(getU32(main, 0x025C), 0x00000FFFu);
    EXPECT_EQ(getU16(main, 0x0292), 0x1000);
    EXPECT_EQ(main[0x02B8], 0xF8);
    EXPECT_EQ(getU16(main, 0x0448), 1180);
    EXPECT_EQ(std::string(main.begin() + 0x0340, main.begin() + 0x0346), "      ");
    EXPECT_EQ(main[0x0346], 0xFF);
    EXPECT_EQ(getU16(main, 0x02C0), 0x322F);
    EXPECT_EQ(main[0x541D], 0xFF);
    EXPECT_EQ(main[0x541E], 0x12);
    EXPECT_EQ(main[0x8000], 0x00);
    EXPECT_EQ(main[0x8001], 0xA0);
    EXPECT_EQ(main[0x9F9C], 0x00); // last of the 1,000 records
    EXPECT_EQ(main[0x9FA0], 0xFF);
    // DTMF: timings, the first encode record and released slots.
    EXPECT_EQ(getU16(main, 0x068C), 200);
    EXPECT_EQ(main[0x0689], 6);
    EXPECT_EQ(getU32(main, 0x5800), 0x0D090501u);
    EXPECT_EQ(main[0x5804], 0xFF);
    for (std::size_t slot : {0x0690, 0x06B0, 0x06B9, 0x06D0, 0x06E2})
        EXPECT_EQ(main[slot + 2], 0x00) << std::hex << slot;
    EXPECT_EQ(main[0x06F8], 0xFD);
    EXPECT_EQ(main[0x0200], 0x00);
    EXPECT_EQ(main[0x023F], 0x00);
    EXPECT_EQ(image.aux()[0x0445], 0x00);
    EXPECT_EQ(image.aux()[0x0446], 0xFF);
}

TEST(NewImage, EveryOutputAndPortEntryAndEveryReleasedSlot)
{
    for (const uint16_t modelCode : {0x0400, 0x0600, 0x0700}) {
        SCOPED_TRACE(modelCode);
        const ConfigImage image = newImageOf(modelCode);
        const auto main = image.main();
        // Five fixed outputs from 0x0500 and six ports from 0x0530, 8 bytes each: a blank
        // first character, the rest empty, and nothing past the last entry.
        const auto expectEntries = [&](std::size_t first, std::size_t count) {
            for (std::size_t entry = 0; entry < count; ++entry) {
                const std::size_t at = first + 8 * entry;
                EXPECT_EQ(main[at], 0x20) << std::hex << at;
                EXPECT_TRUE(allEmpty(main, at + 1, at + 8)) << std::hex << at;
            }
            EXPECT_EQ(main[first + 8 * count], 0xFF) << "past the last entry";
        };
        expectEntries(0x0500, 5);
        expectEntries(0x0530, 6);

        // Encode/decode slots of the DTMF area that no function uses: no code, no code, not in use.
        struct Group {
            std::size_t first;
            std::size_t count;
            bool slotFollows;
        };
        for (const Group g : {Group{0x0690, 6, false}, Group{0x06B0, 3, true}, Group{0x06B9, 6, false},
                              Group{0x06D0, 5, false}, Group{0x06E2, 6, false}}) {
            for (std::size_t slot = 0; slot < g.count; ++slot) {
                const std::size_t at = g.first + 3 * slot;
                EXPECT_EQ(main[at], 0xFF) << std::hex << at;
                EXPECT_EQ(main[at + 1], 0xFF) << std::hex << at;
                EXPECT_EQ(main[at + 2], 0x00) << std::hex << at;
            }
            if (!g.slotFollows) {
                EXPECT_EQ(main[g.first + 3 * g.count + 2], 0xFF)
                    << std::hex << g.first << " has no further slot";
            }
        }
    }
}
