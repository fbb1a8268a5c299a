#include "ChannelTestImage.h"
#include "forms/channel/ChannelClipboard.h"
#include "model/records/FunctionCodePlaces.h"

#include <gtest/gtest.h>

using namespace rps;
using rps::test::ChannelTestImage;

TEST(ChannelStore, NewRecordsArePackedInChannelOrder)
{
    ChannelTestImage t;
    t.program(4, "150");
    t.program(1, "151");
    EXPECT_EQ(t.indexEntry(1), 0x1000);
    EXPECT_EQ(t.indexEntry(4), 0x1080); // moved up when channel 2 was inserted before it
    EXPECT_EQ(getU32(t.image.main(), 0x1080), 150000000u);
    EXPECT_EQ(getU32(t.image.main(), 0x025C), 0x10FFu);
    EXPECT_EQ(t.editor.store().freeBytes(), 28u * 128u);
    EXPECT_EQ(t.indexEntry(30), 0xFFFF);
}

TEST(ChannelStore, NewChannelStartsWithItsInitialValues)
{
    ChannelTestImage t;
    t.program(11, "150");
    auto r = t.record(11);
    EXPECT_EQ(t.editor.format(11, kItemName), "12");
    EXPECT_EQ(r[ChannelField::kChannelType], kTypeNxdn);
    EXPECT_EQ(r[ChannelField::kBeatShift], 0xFF);
    EXPECT_EQ(r[ChannelField::kCwIdSetting], 60);
    EXPECT_EQ(r[52], 30);
    EXPECT_EQ(r[59], 80);
    EXPECT_EQ(getU16(r, ChannelField::kRanDecode), 0xFFFF);
    EXPECT_EQ(getU32(r, ChannelField::kTxFrequency), 0xFFFFFFFFu);
    EXPECT_EQ(getU16(r, ChannelField::kOperationMode), kOperationMode1); // no TX yet
}

TEST(ChannelStore, DeletingMovesLaterRecordsDown)
{
    ChannelTestImage t;
    for (int ch = 0; ch < 5; ++ch)
        t.program(ch, std::to_string(150 + ch));
    t.editor.setFrequency(2, false, "", true);
    EXPECT_FALSE(t.editor.store().isProgrammed(2));
    EXPECT_EQ(t.indexEntry(2), 0xFFFF);
    EXPECT_EQ(t.indexEntry(3), 0x1100);
    EXPECT_EQ(t.indexEntry(4), 0x1180);
    EXPECT_EQ(getU32(t.image.main(), 0x1100), 153000000u);
    EXPECT_EQ(getU32(t.image.main(), 0x1180), 154000000u);
    EXPECT_EQ(getU32(t.image.main(), 0x025C), 0x11FFu);
    for (std::size_t i = 0x1200; i < 0x5000; ++i)
        ASSERT_EQ(t.image.main()[i], 0xFF) << i;
}

TEST(ChannelStore, DeletingClearsEverythingThatNamesTheChannel)
{
    ChannelTestImage t;
    t.program(4, "150");
    t.editor.store().setEncryptionOn(4, true);
    t.editor.store().setVoiceScramblerOn(4, true);
    t.image.main()[kPriorityChannelOffset] = 5;
    auto main = t.image.main();
    setU16(main, 0x2C0, 0x3131); // key 1: another function, then channel 5
    setU16(main, 0x2C2, channelSelectCode(4));
    setU16(main, 0x2C4, 0x3022);               // slots after an emptied one empty too
    setU16(main, 0x450, channelSelectCode(4)); // connection row 1
    setU16(main, 0x2C8, channelSelectCode(3)); // another channel stays
    EXPECT_TRUE(t.editor.deleteChannel(4).structureChanged);
    EXPECT_FALSE(t.editor.store().encryptionOn(4));
    EXPECT_FALSE(t.editor.store().voiceScramblerOn(4));
    EXPECT_EQ(main[kPriorityChannelOffset], 0xFF);
    EXPECT_EQ(getU16(main, 0x2C0), 0x3131);
    EXPECT_EQ(getU16(main, 0x2C2), kNoFunction);
    EXPECT_EQ(getU16(main, 0x2C4), kNoFunction);
    EXPECT_EQ(getU16(main, 0x450), kNoFunction);
    EXPECT_EQ(getU16(main, 0x2C8), channelSelectCode(3));
}

TEST(ChannelStore, UntrustedIndexEntriesReadAsEmptyAndAreNotRewritten)
{
    ChannelTestImage t;
    t.program(0, "150");
    t.program(1, "151");
    auto main = t.image.main();
    setU16(main, 2 * 2, 0x4FF0); // unaligned, and its record would run past the area
    setU16(main, 2 * 3, 0x9F80); // outside the channel area
    setU16(main, 2 * 4, 0x1000); // not packed: points at channel 1's record
    const std::vector<uint8_t> before(main.begin(), main.end());
    for (int ch = 2; ch <= 4; ++ch) {
        EXPECT_FALSE(t.editor.store().isProgrammed(ch));
        EXPECT_TRUE(t.record(ch).empty());
        EXPECT_EQ(t.editor.format(ch, kItemRxFrequency), "");
        EXPECT_FALSE(t.editor.setName(ch, "AB").changed);
    }
    EXPECT_EQ(t.editor.store().programmedCount(), 2);
    EXPECT_EQ(std::vector<uint8_t>(main.begin(), main.end()), before);

    // The first structural edit writes the table back in packed form.
    t.program(2, "152");
    EXPECT_EQ(t.indexEntry(2), 0x1100);
    EXPECT_EQ(t.indexEntry(3), 0xFFFF);
    EXPECT_EQ(t.indexEntry(4), 0xFFFF);
    EXPECT_EQ(getU32(main, 0x1000), 150000000u);
}

TEST(ChannelClipboard, PasteNearTheEndWritesOnlyExistingChannels)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.program(1, "151");
    t.program(2, "152");
    t.editor.store().setEncryptionOn(0, true);
    ChannelClipboard clipboard;
    clipboard.copy(t.editor.store(), 0, 2);
    const auto result = clipboard.paste(t.editor.store(), 28);
    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(t.editor.format(28, kItemRxFrequency), "150.000000");
    EXPECT_EQ(t.editor.format(28, kItemTxFrequency), "155.000000");
    EXPECT_EQ(t.editor.format(29, kItemRxFrequency), "151.000000");
    EXPECT_TRUE(t.editor.store().encryptionOn(28));
    EXPECT_FALSE(t.editor.store().encryptionOn(29));
    EXPECT_EQ(t.editor.store().programmedCount(), 5);
}

TEST(ChannelClipboard, PastedEmptySlotEmptiesItsTargetAndStaleMultiTableIsReset)
{
    ChannelTestImage t;
    t.program(0, "150", "155");
    t.program(3, "153");
    auto main = t.image.main();
    main[kMultiAnalogCountOffset + 4] = 2; // table 5 has analog entries only
    main[kMultiNxdnCountOffset + 5] = 1;   // table 6 has an NXDN entry
    t.editor.setRan(0, false, "7", true);
    t.record(0)[ChannelField::kMultiTable] = 5;
    ChannelClipboard clipboard;
    clipboard.copy(t.editor.store(), 0, 1); // channel 1 programmed, channel 2 empty
    EXPECT_EQ(clipboard.paste(t.editor.store(), 2).written, 2);
    EXPECT_FALSE(t.editor.store().isProgrammed(3));
    // Channel 1 is NXDN with a RAN: table 5 has nothing for its type, so the pasted copy drops it.
    EXPECT_EQ(t.record(2)[ChannelField::kMultiTable], 0);
    clipboard.clear();
    EXPECT_EQ(clipboard.paste(t.editor.store(), 5).written, 0);
}

TEST(ChannelClipboard, ACopyFromAnotherModelIsNeverPasted)
{
    ChannelTestImage vhf(0x0400);
    vhf.program(0, "150");
    ChannelClipboard clipboard;
    clipboard.copy(vhf.editor.store(), 0, 0);
    ChannelTestImage uhf(0x0700);
    const ChannelPasteResult result = clipboard.paste(uhf.editor.store(), 0);
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(result.message, kMessagePasteFailed);
    EXPECT_FALSE(uhf.editor.store().isProgrammed(0));
    EXPECT_TRUE(clipboard.isEmpty());
}
