// The multi tables over a new image: entries as typed, the counts that follow them, the
// channels that lose a table which no longer has entries of their kind (after an edit, a
// delete or a paste), and stored bytes that are not what the form writes.
#include "forms/signalling/MultiFields.h"
#include "forms/FieldForms.h"
#include "forms/fields/RecordRows.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"
#include "model/records/ChannelStore.h"

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;
using multi::Kind;

namespace {

constexpr std::size_t kAnalogCounts = 0x00C8;
constexpr std::size_t kNxdnCounts = 0x00D7;

class MultiFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        session = openMultiForm(image, FieldEnv{[](int) { return "Off"; }, {}, '.'});
    }
    FieldEngine& engine() { return session->engine(); }
    std::optional<FieldEntry> field(std::string_view key)
    {
        auto found = findField(*findDeclaredForm("multi-table"), engine(), key);
        EXPECT_TRUE(found) << key;
        return found;
    }
    std::string shown(std::string_view key)
    {
        const auto f = field(key);
        return f ? engine().shown(*f->row, f->record) : std::string();
    }
    EditResult enter(std::string_view key, std::string_view text)
    {
        const auto f = field(key);
        return f ? enterFieldText(engine(), *f, text) : EditResult{};
    }
    uint16_t word(std::size_t offset) { return getU16(image.main(), offset); }
    // A programmed channel of a type that uses a table.
    void channel(int index, uint8_t type, uint8_t table)
    {
        ChannelStore store(image);
        ASSERT_TRUE(store.create(index));
        store.record(index)[ChannelField::kChannelType] = type;
        store.record(index)[ChannelField::kMultiTable] = table;
    }
    uint8_t tableOf(int index) { return ChannelStore(image).record(index)[ChannelField::kMultiTable]; }
    EditResult command(const FieldRow& grid, RecordCommand what, int table, int firstRow, int lastRow)
    {
        return runRecordCommand(engine(), *grid.grid, what, firstRow, lastRow, table - 1);
    }
    const FieldRow& grid(int item) { return *findRow(kMultiFields, item); }

    ConfigImage image;
    std::unique_ptr<FieldFormSession> session;
};

TEST_F(MultiFieldsTest, DecodeAndEncodeKeepTogetherAndTheCountsFollow)
{
    // A typed decode fills the empty encode; the entry sits at its table's place.
    enter("multi-table.2.analog.3.decode", "88.5");
    EXPECT_EQ(word(0x5000 + 64 + 4), 885);
    EXPECT_EQ(word(0x5020 + 64 + 4), 885);
    EXPECT_EQ(image.main()[kAnalogCounts + 1], 1);
    EXPECT_EQ(image.main()[kNxdnCounts + 1], 0xFF);

    // A chosen encode stays apart from the decode; an emptied decode takes the encode along.
    enter("multi-table.2.analog.3.encode", "D023N");
    EXPECT_EQ(shown("multi-table.2.analog.3.encode"), "D023N");
    enter("multi-table.2.analog.3.decode", "");
    EXPECT_EQ(word(0x5020 + 64 + 4), 0xFFFF);
    EXPECT_EQ(image.main()[kAnalogCounts + 1], 0xFF);

    // An encode without its decode is refused and changes nothing.
    const EditResult refused = enter("multi-table.2.analog.4.encode", "100.0");
    EXPECT_TRUE(refused.refused);
    EXPECT_EQ(word(0x5020 + 64 + 6), 0xFFFF);

    // RANs are clamped into 1..63.
    enter("multi-table.15.nxdn.15.decode", "0");
    EXPECT_EQ(word(0x5400 + 14 * 64 + 28), 1);
    enter("multi-table.15.nxdn.15.decode", "99");
    EXPECT_EQ(word(0x5400 + 14 * 64 + 28), 63);
    EXPECT_EQ(image.main()[kNxdnCounts + 14], 1);
}

TEST_F(MultiFieldsTest, TheBlankRowAndTheUnusedSlotHoldNoField)
{
    const auto entries = listFields(*findDeclaredForm("multi-table"), engine());
    EXPECT_EQ(entries.size(), 15u * 2 * 15 * 2);
    EXPECT_FALSE(findField(*findDeclaredForm("multi-table"), engine(), "multi-table.1.analog.16.decode"));
    EXPECT_FALSE(findField(*findDeclaredForm("multi-table"), engine(), "multi-table.16.analog.1.decode"));
    EXPECT_FALSE(engine().enabled(*findRow(kMultiFields, multi::kItemAnalogDecode), 0));
}

TEST_F(MultiFieldsTest, DeletingTheOnlyNxdnEntryResetsTheNxdnChannelsOfThatTable)
{
    channel(0, kTypeNxdn, 3);
    channel(1, kTypeMixed, 3);
    channel(2, kTypeNxdn, 4);
    enter("multi-table.3.nxdn.1.decode", "12");
    enter("multi-table.3.analog.1.decode", "100.0");
    enter("multi-table.4.nxdn.1.decode", "7");

    const EditResult result = command(grid(multi::kItemNxdnGrid), RecordCommand::Delete, 3, 1, 1);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(image.main()[kNxdnCounts + 2], 0xFF);
    EXPECT_EQ(word(0x5400 + 2 * 64), 0xFFFF);
    EXPECT_EQ(tableOf(0), 0);
    EXPECT_EQ(tableOf(1), 3) << "a mixed channel keeps the table while it has analog entries";
    EXPECT_EQ(tableOf(2), 4) << "another table's channels are left alone";
    EXPECT_EQ(image.main()[kAnalogCounts + 2], 1);
}

TEST_F(MultiFieldsTest, APasteChecksTheChannelsAndStaysInsideItsTable)
{
    channel(0, kTypeAnalog, 5);
    enter("multi-table.5.analog.1.decode", "88.5");
    enter("multi-table.5.analog.2.decode", "D023N");
    enter("multi-table.5.analog.15.decode", "131.8");
    enter("multi-table.6.analog.1.decode", "100.0");
    const FieldRow& analog = grid(multi::kItemAnalogGrid);

    // Two entries copied onto the last entry: only one lands, the next table is untouched.
    command(analog, RecordCommand::Copy, 5, 1, 2);
    command(analog, RecordCommand::Paste, 5, 15, 16);
    EXPECT_EQ(shown("multi-table.5.analog.15.decode"), "88.5");
    EXPECT_EQ(shown("multi-table.6.analog.1.decode"), "100.0");
    // The entries between a decode and its encode are not part of the copy.
    EXPECT_EQ(shown("multi-table.5.analog.2.decode"), "D023N");

    // Empty rows pasted over every entry leave the channel without its table.
    command(analog, RecordCommand::Copy, 5, 3, 14);
    command(analog, RecordCommand::Paste, 5, 0, 0); // the blank row pastes from entry 1
    command(analog, RecordCommand::Copy, 5, 3, 5);
    command(analog, RecordCommand::Paste, 5, 13, 13);
    EXPECT_EQ(multiEntryCount(image.main(), 5, Kind::Analog), 0);
    EXPECT_EQ(image.main()[kAnalogCounts + 4], 0xFF);
    EXPECT_EQ(tableOf(0), 0);
}

TEST_F(MultiFieldsTest, HostileCountsAndTypesCountAsNone)
{
    // Counts that claim entries, a channel of no known type using the table.
    image.main()[kAnalogCounts + 6] = 0x40;
    image.main()[kNxdnCounts + 6] = 0x40;
    channel(0, 0x07, 7);
    channel(1, kTypeMixed, 7);
    enter("multi-table.7.nxdn.1.decode", "9");
    EXPECT_EQ(image.main()[kAnalogCounts + 6], 0xFF);
    EXPECT_EQ(image.main()[kNxdnCounts + 6], 1);
    EXPECT_EQ(tableOf(0), 0);
    EXPECT_EQ(tableOf(1), 7);
}

} // namespace
