// The test frequency table through its declared fields: the pair rules of an edit, "Ch Paste"
// from channels 1..16, and the whole-record copy, paste and delete of its grid.
#include "forms/signalling/TestFreqFields.h"
#include "forms/FieldForms.h"
#include "forms/fields/RecordRows.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/FrequencyText.h"
#include "model/ImageMap.h"
#include "model/ModelBlock.h"
#include "model/records/ChannelStore.h"

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;

namespace {

class TestFreqFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        for (int n = 1; n <= kTestFreqCount; ++n)
            setPair(n, kNoFrequency, kNoFrequency);
        session = openTestFreqForm(image, FieldEnv{[](int n) { return "T" + std::to_string(n); },
                                                   FrequencyLimits::forModelCode(0x0400, false), '.'});
    }
    FieldEngine& engine() { return session->engine(); }
    std::optional<FieldEntry> field(std::string_view key)
    {
        return findField(*findDeclaredForm("test-frequency"), engine(), key);
    }
    EditResult enter(std::string_view key, std::string_view text)
    {
        const auto f = field(key);
        EXPECT_TRUE(f) << key;
        return f ? enterFieldText(engine(), *f, text) : EditResult{};
    }
    std::pair<std::string, std::string> shownPair(int n)
    {
        const std::string prefix = "test-frequency." + std::to_string(n);
        const auto rx = field(prefix + ".rx");
        const auto tx = field(prefix + ".tx");
        return {engine().shown(*rx->row, rx->record), engine().shown(*tx->row, tx->record)};
    }
    std::size_t recordAt(int n) { return kTestFrequencyOffset + 8 * static_cast<std::size_t>(n - 1); }
    void setPair(int n, uint32_t rx, uint32_t tx)
    {
        setU32(image.main(), recordAt(n), rx);
        setU32(image.main(), recordAt(n) + 4, tx);
    }
    std::pair<uint32_t, uint32_t> pair(int n)
    {
        return {getU32(image.main(), recordAt(n)), getU32(image.main(), recordAt(n) + 4)};
    }
    void programChannel(int channel, uint32_t rx, uint32_t tx)
    {
        ChannelStore store(image);
        ASSERT_TRUE(store.create(channel - 1));
        setU32(store.record(channel - 1), 0, rx);
        setU32(store.record(channel - 1), 4, tx);
    }

    ConfigImage image;
    std::unique_ptr<FieldFormSession> session;
};

using Pair = std::pair<uint32_t, uint32_t>;
constexpr uint32_t kNone = kNoFrequency;

TEST_F(TestFreqFieldsTest, EveryRecordHasBothKeysAndShowsMegahertz)
{
    const auto entries = listFields(*findDeclaredForm("test-frequency"), engine());
    ASSERT_EQ(entries.size(), 32u);
    EXPECT_EQ(entries.front().key, "test-frequency.1.rx");
    EXPECT_EQ(entries.back().key, "test-frequency.16.tx");
    setPair(4, 151'500'000, 156'000'000);
    EXPECT_EQ(shownPair(4), (std::pair<std::string, std::string>{"151.500000", "156.000000"}));
    EXPECT_EQ(shownPair(5), (std::pair<std::string, std::string>{"", ""}));
}

TEST_F(TestFreqFieldsTest, AReceiveFrequencyInAnEmptyRecordFillsBothColumns)
{
    EXPECT_TRUE(enter("test-frequency.2.rx", "151.5").changed);
    EXPECT_EQ(pair(2), (Pair{151'500'000, 151'500'000}));
    // With a transmit frequency set, the receive frequency goes alone.
    enter("test-frequency.2.tx", "160");
    enter("test-frequency.2.rx", "152");
    EXPECT_EQ(pair(2), (Pair{152'000'000, 160'000'000}));
}

TEST_F(TestFreqFieldsTest, EmptyingEitherColumnEmptiesTheRecord)
{
    setPair(3, 151'500'000, 156'000'000);
    setPair(7, 151'500'000, 156'000'000);
    EXPECT_TRUE(enter("test-frequency.3.tx", "").changed);
    EXPECT_EQ(pair(3), (Pair{kNone, kNone}));
    enter("test-frequency.7.rx", "");
    EXPECT_EQ(pair(7), (Pair{kNone, kNone}));
    EXPECT_FALSE(enter("test-frequency.7.rx", "").changed);
}

TEST_F(TestFreqFieldsTest, NoTransmitFrequencyWithoutAReceiveFrequency)
{
    const auto tx = field("test-frequency.5.tx");
    EXPECT_FALSE(engine().enabled(*tx->row, tx->record));
    enter("test-frequency.5.rx", "150");
    EXPECT_TRUE(engine().enabled(*tx->row, tx->record));
}

TEST_F(TestFreqFieldsTest, AFrequencyOutsideTheBandIsStoredWithTheWarningOfItsColumn)
{
    const EditResult rx = enter("test-frequency.1.rx", "180");
    EXPECT_EQ(rx.message, 786);
    EXPECT_FALSE(rx.refused);
    EXPECT_EQ(enter("test-frequency.1.tx", "130").message, 787);
    EXPECT_NE(pair(1).first, kNone);
    EXPECT_NE(pair(1).second, kNone);
}

TEST_F(TestFreqFieldsTest, ChannelPasteTakesChannelsOneToSixteen)
{
    EXPECT_FALSE(anyTestFreqChannel(image));
    setPair(2, 140'000'000, 141'000'000);
    setPair(16, 140'000'000, 141'000'000);
    programChannel(1, 150'000'000, 155'000'000);
    programChannel(3, 152'000'000, kNone); // no transmitter
    programChannel(17, 160'000'000, 161'000'000);
    EXPECT_TRUE(anyTestFreqChannel(image));

    EXPECT_TRUE(pasteChannelFrequencies(image));
    EXPECT_EQ(pair(1), (Pair{150'000'000, 155'000'000}));
    EXPECT_EQ(pair(2), (Pair{kNone, kNone}));
    EXPECT_EQ(pair(3), (Pair{152'000'000, 152'000'000}));
    for (int n = 4; n <= kTestFreqCount; ++n)
        EXPECT_EQ(pair(n), (Pair{kNone, kNone})) << n;
    EXPECT_FALSE(pasteChannelFrequencies(image));
}

TEST_F(TestFreqFieldsTest, PastingFourRowsAtRecordFifteenFillsFifteenAndSixteenOnly)
{
    const std::vector<uint8_t> before(image.main().begin(), image.main().end());
    for (int n = 1; n <= 4; ++n)
        setPair(n, 150'000'000 + static_cast<uint32_t>(n), 155'000'000);
    const GridShape& grid = testFreqGridShape();
    runRecordCommand(engine(), grid, RecordCommand::Copy, 0, 3);
    EXPECT_TRUE(runRecordCommand(engine(), grid, RecordCommand::Paste, 14, 14).changed);
    EXPECT_EQ(pair(15), (Pair{150'000'001, 155'000'000}));
    EXPECT_EQ(pair(16), (Pair{150'000'002, 155'000'000}));
    // Nothing after the table moved.
    const std::size_t end = recordAt(16) + 8;
    EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(end), before.end(),
                           image.main().begin() + static_cast<long>(end)));

    runRecordCommand(engine(), grid, RecordCommand::Delete, 0, 1);
    EXPECT_EQ(pair(1), (Pair{kNone, kNone}));
    EXPECT_EQ(pair(2), (Pair{kNone, kNone}));
    EXPECT_EQ(pair(3).first, 150'000'003u);
}

} // namespace
