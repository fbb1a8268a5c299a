// The encode/decode table's fields over a new image: the codes and transpond values as typed
// and spun, the removal of remote-control references when a code empties, and the whole-record
// copy, paste and delete of the two tables.
#include "forms/signalling/EncDecFields.h"
#include "forms/FieldForms.h"
#include "forms/fields/RecordRows.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;

namespace {

class EncDecFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        session = openEncDecFields(image, FieldEnv{[](int n) { return n == 857 ? "On" : "Off"; }, {}, '.'});
    }
    FieldEngine& engine() { return session->engine(); }
    std::string shown(std::string_view key)
    {
        const auto field = findField(*findDeclaredForm("encode-decode"), engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? engine().shown(*field->row, field->record) : std::string();
    }
    EditResult enter(std::string_view key, std::string_view text)
    {
        const auto field = findField(*findDeclaredForm("encode-decode"), engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? enterFieldText(engine(), *field, text) : EditResult{};
    }
    EditResult spin(std::string_view key, int direction)
    {
        const auto field = findField(*findDeclaredForm("encode-decode"), engine(), key);
        return engine().spin(*field->row, field->record, direction);
    }
    uint8_t& at(std::size_t offset) { return image.main()[offset]; }
    std::size_t encodeRecord(int row)
    {
        return kEncodeTable + kCodeRecordSize * static_cast<std::size_t>(row);
    }
    std::size_t decodeRecord(int row)
    {
        return kDecodeTable + kCodeRecordSize * static_cast<std::size_t>(row);
    }

    ConfigImage image;
    std::unique_ptr<FieldFormSession> session;
};

TEST_F(EncDecFieldsTest, NewDataShowsTheDefaultsAndListsEveryRow)
{
    EXPECT_EQ(shown("encode-decode.encode.1.code"), "159D");
    EXPECT_EQ(shown("encode-decode.decode.1.code"), "159D");
    EXPECT_EQ(shown("encode-decode.encode.2.code"), "");
    EXPECT_EQ(shown("encode-decode.activation-tone"), "800");
    EXPECT_EQ(shown("encode-decode.deactivation-tone"), "600");
    EXPECT_EQ(shown("encode-decode.activation-period"), "1000");
    EXPECT_EQ(shown("encode-decode.deactivation-period"), "2000");
    EXPECT_EQ(shown("encode-decode.side-tone"), "On");
    const auto fields = listFields(*findDeclaredForm("encode-decode"), engine());
    EXPECT_EQ(fields.size(), 32u + 40u + 5u);
    EXPECT_EQ(fields.front().key, "encode-decode.encode.1.code");
    EXPECT_EQ(fields[71].key, "encode-decode.decode.40.code");
}

TEST_F(EncDecFieldsTest, TranspondValuesAreClampedRoundedAndWrap)
{
    struct Case {
        const char* key;
        const char* typed;
        std::size_t offset;
        unsigned stored; // u16 for frequencies, u8 for periods
    };
    const Case cases[] = {
        {"encode-decode.activation-tone", "1234", kActivationTone, 0x1230},
        {"encode-decode.activation-tone", "", kActivationTone, 0x0100},
        {"encode-decode.deactivation-tone", "99999", kDeactivationTone, 0x3000},
        {"encode-decode.deactivation-tone", "5", kDeactivationTone, 0x0100},
        {"encode-decode.activation-period", "1234", kActivationPeriod, 24},
        {"encode-decode.deactivation-period", "", kDeactivationPeriod, 2},
    };
    for (const Case& c : cases) {
        enter(c.key, c.typed);
        const bool wide = c.offset == kActivationTone || c.offset == kDeactivationTone;
        EXPECT_EQ(wide ? getU16(image.main(), c.offset) : at(c.offset), c.stored) << c.key << " " << c.typed;
    }
    enter("encode-decode.activation-tone", "3000");
    spin("encode-decode.activation-tone", +1);
    EXPECT_EQ(shown("encode-decode.activation-tone"), "100");
    spin("encode-decode.activation-tone", -1);
    EXPECT_EQ(shown("encode-decode.activation-tone"), "3000");
    enter("encode-decode.activation-period", "3000");
    spin("encode-decode.activation-period", +1);
    EXPECT_EQ(shown("encode-decode.activation-period"), "100");
    // A stored value outside the range shows empty.
    setU16(image.main(), kActivationTone, 0x0050);
    EXPECT_EQ(shown("encode-decode.activation-tone"), "");
}

TEST_F(EncDecFieldsTest, SideToneIsTheInvertedBitOne)
{
    at(kDtmfFlags) = 0xFF;
    EXPECT_EQ(shown("encode-decode.side-tone"), "Off");
    enter("encode-decode.side-tone", "On");
    EXPECT_EQ(at(kDtmfFlags), 0xFD);
}

// Every remote-control code byte that may name a code, and bytes next to them that never do.
constexpr std::size_t kReferenceBytes[] = {0x0690, 0x0691, 0x069F, 0x06A0, 0x06A2, 0x06A3,
                                           0x06B0, 0x06B7, 0x06B9, 0x06C9, 0x06C8, 0x06D0,
                                           0x06DD, 0x06E2, 0x06EF, 0x06F1, 0x06F4, 0x06F5};
constexpr std::size_t kOtherBytes[] = {0x0692, 0x06A1, 0x06A4, 0x06B2, 0x06CA,
                                       0x06C7, 0x06DE, 0x06F0, 0x06F3, 0x06F6};

TEST_F(EncDecFieldsTest, AnEmptiedCodeTakesEveryReferenceAlong)
{
    enter("encode-decode.decode.3.code", "123");
    enter("encode-decode.encode.5.code", "4");
    for (std::size_t offset : kReferenceBytes)
        at(offset) = 0x02; // decode code 3
    for (std::size_t offset : kOtherBytes)
        at(offset) = 0x02;
    at(0x0691) = 0x84; // encode code 5 stays while it has digits

    enter("encode-decode.decode.3.code", "");
    EXPECT_EQ(at(decodeRecord(2)), 0xFF);
    for (std::size_t offset : kReferenceBytes) {
        if (offset != 0x0691) {
            EXPECT_EQ(at(offset), 0xFF) << std::hex << offset;
        }
    }
    for (std::size_t offset : kOtherBytes)
        EXPECT_EQ(at(offset), 0x02) << std::hex << offset;
    EXPECT_EQ(at(0x0691), 0x84);

    enter("encode-decode.encode.5.code", "");
    EXPECT_EQ(at(0x0691), 0xFF);
}

TEST_F(EncDecFieldsTest, PasteFillsToTheLastRowOnlyAndNeverTheOtherTable)
{
    for (int row = 1; row <= 5; ++row)
        enter("encode-decode.encode." + std::to_string(row) + ".code", std::to_string(row * 11));
    const GridShape& encode = encodeGridShape();
    runRecordCommand(engine(), encode, RecordCommand::Copy, 0, 4);
    const std::vector<uint8_t> decodeBefore(image.main().begin() + decodeRecord(0),
                                            image.main().begin() + decodeRecord(40));
    const EditResult pasted = runRecordCommand(engine(), encode, RecordCommand::Paste, 29, 29);
    EXPECT_TRUE(pasted.changed);
    EXPECT_EQ(shown("encode-decode.encode.30.code"), "11");
    EXPECT_EQ(shown("encode-decode.encode.31.code"), "22");
    EXPECT_EQ(shown("encode-decode.encode.32.code"), "33");
    EXPECT_TRUE(std::equal(decodeBefore.begin(), decodeBefore.end(), image.main().begin() + decodeRecord(0)));

    // The decode table has its own buffer: nothing copied there, nothing pasted.
    EXPECT_FALSE(runRecordCommand(engine(), decodeGridShape(), RecordCommand::Paste, 0, 0).changed);
    EXPECT_EQ(shown("encode-decode.decode.1.code"), "159D");
    // A replaced image empties every buffer.
    clearRecordClipboards();
    EXPECT_FALSE(runRecordCommand(engine(), encode, RecordCommand::Paste, 0, 0).changed);
}

TEST_F(EncDecFieldsTest, DeleteAndPastedEmptyRowsRemoveReferences)
{
    enter("encode-decode.encode.2.code", "77");
    at(0x06A2) = 0x81; // encode code 2
    at(0x06A3) = 0x80; // encode code 1
    // Rows past the table's end are not the table's.
    runRecordCommand(engine(), encodeGridShape(), RecordCommand::Delete, 1, 200);
    EXPECT_EQ(at(encodeRecord(1)), 0xFF);
    EXPECT_EQ(at(encodeRecord(31) + 23), 0xFF);
    EXPECT_EQ(at(0x06A2), 0xFF);
    EXPECT_EQ(shown("encode-decode.decode.1.code"), "159D");
    EXPECT_EQ(at(0x06A3), 0x80);

    runRecordCommand(engine(), encodeGridShape(), RecordCommand::Copy, 5, 5); // an empty row
    runRecordCommand(engine(), encodeGridShape(), RecordCommand::Paste, 0, 0);
    EXPECT_EQ(shown("encode-decode.encode.1.code"), "");
    EXPECT_EQ(at(0x06A3), 0xFF);
}

} // namespace
