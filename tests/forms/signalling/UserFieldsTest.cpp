// The user lists over a new image: IDs as typed (clamped, "All" on the individual list only),
// the choice and record number that follow an ID, uniqueness within a list, the counters,
// whole-record delete and paste, and the row order of a sorted grid.
#include "forms/signalling/UserFields.h"
#include "forms/FieldForms.h"
#include "forms/fields/RecordRows.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <array>

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;

namespace {

std::string texts(int n)
{
    switch (n) {
    case 816:
        return "This ID is already in the list.";
    case 855:
        return "On";
    case 856:
        return "Off";
    case 1354:
        return "All";
    default:
        return {};
    }
}

class UserFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        session = openUserFields(image, FieldEnv{texts, {}, '.'});
    }
    FieldEngine& engine() { return session->engine(); }
    std::optional<FieldEntry> field(std::string_view key)
    {
        return findField(*findDeclaredForm("user-list"), engine(), key);
    }
    std::string shown(std::string_view key)
    {
        const auto f = field(key);
        EXPECT_TRUE(f) << key;
        return f ? engine().shown(*f->row, f->record) : std::string();
    }
    EditResult enter(std::string_view key, std::string_view text)
    {
        const auto f = field(key);
        EXPECT_TRUE(f) << key;
        return f ? enterFieldText(engine(), *f, text) : EditResult{};
    }
    // The 4 bytes of record N (1-based) of list L.
    std::array<uint8_t, 4> bytes(int list, int number)
    {
        const std::size_t at = (list == 1 ? 0x9000 : 0x8000) + 4 * static_cast<std::size_t>(number - 1);
        return {image.main()[at], image.main()[at + 1], image.main()[at + 2], image.main()[at + 3]};
    }
    std::string counter(int list)
    {
        const FieldRow* row =
            findRow(engine().table(), list == 1 ? users::kItemCounter1 : users::kItemCounter2);
        return engine().shown(*row, 0);
    }

    ConfigImage image;
    std::unique_ptr<FieldFormSession> session;
};

using Bytes = std::array<uint8_t, 4>;

TEST_F(UserFieldsTest, TypedIdsAreClampedAndAllIsTheIndividualListsOnly)
{
    enter("user-list.2.1.id", "0");
    EXPECT_EQ(shown("user-list.2.1.id"), "1");
    enter("user-list.2.2.id", "70000");
    EXPECT_EQ(shown("user-list.2.2.id"), "65519");
    enter("user-list.1.1.id", "0");
    EXPECT_EQ(shown("user-list.1.1.id"), "All");
    EXPECT_EQ(bytes(1, 1)[2], 0);
    // The first letter of "All" typed is the word, and "All" is once in the list too.
    EXPECT_EQ(enter("user-list.1.2.id", "a").message, 816);
    enter("user-list.1.1.id", "");
    enter("user-list.1.2.id", "a");
    EXPECT_EQ(shown("user-list.1.2.id"), "All");
}

TEST_F(UserFieldsTest, AnIdBringsTheFirstChoiceWithTheRecordsNumberAndClearingTakesThemAway)
{
    EXPECT_EQ(bytes(2, 300), (Bytes{0x00, 0xF0, 0xFF, 0xFF}));
    const auto choice = field("user-list.2.300.choice");
    EXPECT_FALSE(engine().enabled(*choice->row, choice->record));
    enter("user-list.2.300.id", "4660");
    // Record 300 = 0x12C: low byte 0x2C, high nibble 1, choice bit clear, bits 4-6 kept.
    EXPECT_EQ(bytes(2, 300), (Bytes{0x2C, 0x71, 0x34, 0x12}));
    EXPECT_EQ(shown("user-list.2.300.choice"), "On");
    enter("user-list.2.300.choice", "Off");
    EXPECT_EQ(bytes(2, 300), (Bytes{0x00, 0xF0, 0x34, 0x12}));
    enter("user-list.2.300.choice", "On");
    enter("user-list.2.300.id", "");
    EXPECT_EQ(bytes(2, 300), (Bytes{0x00, 0xF0, 0xFF, 0xFF}));
    EXPECT_EQ(shown("user-list.2.300.choice"), "");
}

TEST_F(UserFieldsTest, ATakenIdIsRefusedNamingItsHolderAndLeavesTheEditedRecordAsItWas)
{
    enter("user-list.1.5.id", "23");
    enter("user-list.1.7.id", "17");
    const Bytes heldSeventeen = bytes(1, 7);

    const EditResult retyped = enter("user-list.1.7.id", "23");
    EXPECT_TRUE(retyped.refused);
    EXPECT_EQ(retyped.message, 816);
    EXPECT_EQ(retyped.moveTo, 4); // record 5 of list 1
    EXPECT_EQ(bytes(1, 7), heldSeventeen);

    const EditResult intoEmpty = enter("user-list.1.6.id", "23");
    EXPECT_EQ(intoEmpty.moveTo, 4);
    EXPECT_EQ(bytes(1, 6), (Bytes{0x00, 0xF0, 0xFF, 0xFF}));

    // Its own ID again is no duplicate; the other list may hold the same ID.
    EXPECT_FALSE(enter("user-list.1.5.id", "23").refused);
    EXPECT_FALSE(enter("user-list.2.5.id", "23").refused);
    EXPECT_EQ(shown("user-list.2.5.id"), "23");
}

TEST_F(UserFieldsTest, CountersCountTheRecordsHoldingAnIdAndIgnoreStoredIdsOutOfRange)
{
    EXPECT_EQ(counter(1), "0/1000 ");
    EXPECT_EQ(counter(2), "0/1000 ");
    for (int n = 1; n <= 1000; ++n)
        enter("user-list.2." + std::to_string(n) + ".id", std::to_string(n));
    EXPECT_EQ(counter(2), "1000/1000 ");
    EXPECT_EQ(counter(1), "0/1000 ");
    // Hostile bytes: 0 on the group list and 65520 show and count as none.
    setU16(image.main(), 0x8000 + 2, 0);
    setU16(image.main(), 0x9000 + 2, 65520);
    EXPECT_EQ(counter(2), "999/1000 ");
    EXPECT_EQ(counter(1), "0/1000 ");
    EXPECT_EQ(shown("user-list.2.1.id"), "");
    EXPECT_EQ(shown("user-list.1.1.id"), "");
}

TEST_F(UserFieldsTest, KeysAreReadNotSearchedAndShowListsEveryRecord)
{
    EXPECT_EQ(field("user-list.2.1000.choice")->record, 1999);
    EXPECT_EQ(field("user-list.1.1.id")->record, 0);
    EXPECT_FALSE(field("user-list.3.1.id"));
    EXPECT_FALSE(field("user-list.1.1001.id"));
    EXPECT_FALSE(field("user-list.1.01.id"));
    EXPECT_FALSE(field("user-list.1.id"));
    // Keys of a form of one record and of numbered records still resolve.
    const auto nxdn = findDeclaredForm("nxdn")->open(image, FieldEnv{texts, {}, '.'});
    EXPECT_TRUE(findField(*findDeclaredForm("nxdn"), nxdn->engine(), "nxdn.unit-id"));
    EXPECT_FALSE(findField(*findDeclaredForm("nxdn"), nxdn->engine(), "nxdn.1.unit-id"));
    const auto scan = findDeclaredForm("scan")->open(image, FieldEnv{texts, {}, '.'});
    for (const FieldEntry& entry : listFields(*findDeclaredForm("scan"), scan->engine()))
        EXPECT_EQ(findField(*findDeclaredForm("scan"), scan->engine(), entry.key)->record, entry.record)
            << entry.key;
    EXPECT_EQ(listFields(*findDeclaredForm("user-list"), engine()).size(), 4000u);
}

TEST_F(UserFieldsTest, DeletedAndPastedRecordsKeepTheListConsistent)
{
    enter("user-list.1.2.id", "40");
    enter("user-list.1.3.id", "50");
    const GridShape& grid = *findRow(engine().table(), users::kItemGrid1)->grid;
    runRecordCommand(engine(), grid, RecordCommand::Delete, 1, 1);
    EXPECT_EQ(bytes(1, 2), (Bytes{0x00, 0xF0, 0xFF, 0xFF}));

    // A copy lands with its own record number; a copy of an ID already held stays out.
    runRecordCommand(engine(), grid, RecordCommand::Copy, 2, 2);
    runRecordCommand(engine(), grid, RecordCommand::Delete, 2, 2);
    runRecordCommand(engine(), grid, RecordCommand::Paste, 9, 9);
    EXPECT_EQ(bytes(1, 10), (Bytes{0x0A, 0x70, 50, 0}));
    const EditResult twice = runRecordCommand(engine(), grid, RecordCommand::Paste, 10, 10);
    EXPECT_EQ(twice.message, 816);
    EXPECT_EQ(bytes(1, 11), (Bytes{0x00, 0xF0, 0xFF, 0xFF}));
}

TEST_F(UserFieldsTest, ASortedOrderShowsRecordsByIdAndRowCommandsReachTheShownRecord)
{
    enter("user-list.1.1.id", "900");
    enter("user-list.1.2.id", "All");
    enter("user-list.1.3.id", "5");
    const FieldRow& id = *findRow(engine().table(), users::kItemId1);
    RowOrder order;
    order.reset(1000);
    order.sortBy(engine(), id, 0);
    EXPECT_EQ(order.record(0), 1); // All first
    EXPECT_EQ(order.record(1), 2); // 5
    EXPECT_EQ(order.record(2), 0); // 900
    EXPECT_EQ(order.record(3), 3); // empty records in record order
    EXPECT_EQ(order.row(0), 2);

    const GridShape& grid = *findRow(engine().table(), users::kItemGrid1)->grid;
    runRecordCommand(engine(), grid, RecordCommand::Delete, 1, 1, 0, &order);
    EXPECT_EQ(shown("user-list.1.3.id"), "");
    EXPECT_EQ(shown("user-list.1.1.id"), "900");
    order.reset(1000);
    EXPECT_TRUE(order.isIdentity());
    EXPECT_EQ(order.record(2), 2);
}

} // namespace
