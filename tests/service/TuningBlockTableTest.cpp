// The tuning block's value rows as the grid and the "Edit: @" spin show and store them.
#include "service/tuning/TuningBlockTable.h"
#include "sim/SimTuningBlock.h"

#include <gtest/gtest.h>

#include <set>

namespace rps::test {
namespace {

using fields::FieldEnv;
using fields::FieldRow;

class TuningBlockRows : public ::testing::Test {
protected:
    FieldEnv env{[](int n) { return "T" + std::to_string(n); }, {}, '.'};
    TuningBlockBytes block{};
    std::unique_ptr<FieldFormSession> session = openTuningBlock(block, env);
    fields::FieldEngine& engine = session->engine();

    const FieldRow& row(int index) { return tuningBlockFields()[static_cast<std::size_t>(index)]; }
    std::string shown(int index) { return engine.shown(row(index), 0); }
    void type(int index, const std::string& text) { engine.commitText(row(index), 0, text); }
    void spin(int index, int direction) { engine.spin(row(index), 0, direction); }
};

TEST_F(TuningBlockRows, TheRowsCoverTheShownPartOfTheBlockOnceInTableOrder)
{
    ASSERT_EQ(tuningBlockFields().size(), 387u);
    ASSERT_EQ(tuningBlockLabels().size(), 387u);
    std::set<std::size_t> bytes;
    for (const FieldRow& r : tuningBlockFields()) {
        const std::size_t size = r.storage.width == fields::Width::U8    ? 1
                                 : r.storage.width == fields::Width::U16 ? 2
                                                                         : 4;
        for (std::size_t i = 0; i < size; ++i)
            EXPECT_TRUE(bytes.insert(r.storage.offset + i).second) << "offset " << r.storage.offset;
    }
    // Byte 27 and bytes 546..775 are carried, not shown.
    EXPECT_EQ(bytes.size(), 545u);
    EXPECT_EQ(bytes.count(27), 0u);
    EXPECT_EQ(*bytes.rbegin(), 545u);

    EXPECT_EQ(tuningRowLabel(0, env), "T279 T699");
    EXPECT_EQ(tuningRowLabel(12, env), "T338");
    EXPECT_EQ(tuningRowLabel(15, env), "T282") << "the gain balance, as its adjustment item is named";
    EXPECT_EQ(tuningRowLabel(20, env), "T262 T697");
    EXPECT_EQ(row(53).storage.offset, 75u);
    EXPECT_EQ(tuningBlockLabels()[53].key, 12);
    EXPECT_EQ(row(111).storage.offset, 150u);
    EXPECT_EQ(row(177).storage.offset, 236u);
    EXPECT_EQ(tuningBlockLabels()[376].itemText, 335);
    EXPECT_EQ(row(376).storage.offset, 526u + 8);
    EXPECT_EQ(tuningBlockLabels()[386].key, kNoTuningItem);
    EXPECT_EQ(row(386).storage.offset, 545u);
}

TEST_F(TuningBlockRows, ValuesShowOneAboveWhatIsStoredAndTypedNumbersClamp)
{
    EXPECT_EQ(shown(6), "1"); // a 1-byte row holding 0
    type(6, "256");
    EXPECT_EQ(block[20], 255);
    EXPECT_EQ(shown(6), "256");
    type(6, "0");
    EXPECT_EQ(block[20], 0);
    spin(6, -1); // wraps to the top
    EXPECT_EQ(block[20], 255);

    type(0, "5000"); // a 0..4095 row
    EXPECT_EQ(block[8] | block[9] << 8, 4095);
    EXPECT_EQ(shown(0), "4096");
    type(16, "2000"); // a 0..1023 row
    EXPECT_EQ(block[28] | block[29] << 8, 1023);

    type(14, "1"); // stored as it is shown, from 100,000,000
    EXPECT_EQ(block[4] | block[5] << 8 | block[6] << 16 | block[7] << 24, 100000000);
    EXPECT_EQ(shown(14), "100000000");
}

TEST_F(TuningBlockRows, SignedAndBelowZeroRows)
{
    block[2] = 0xFF;
    block[3] = 0xFF;
    EXPECT_EQ(shown(13), "-1");
    type(13, "-40000");
    EXPECT_EQ(block[2] | block[3] << 8, 0x8001); // -32767
    EXPECT_EQ(shown(13), "-32767");
    spin(13, +1);
    EXPECT_EQ(shown(13), "-32766");
    type(13, "300");
    EXPECT_EQ(block[2] | block[3] << 8, 300);

    EXPECT_EQ(shown(111), "-128"); // stored 0
    type(111, "-1");
    EXPECT_EQ(block[150], 127);
    type(111, "5");
    EXPECT_EQ(block[150], 127);
    spin(111, +1);
    EXPECT_EQ(block[150], 0);
}

TEST_F(TuningBlockRows, RangeCodeFourStepsTheRawValue)
{
    const int code4 = 15;
    const std::pair<int, const char*> shownFor[] = {{0, "-62"},  {61, "-1"},  {62, "0"},  {63, "2"},
                                                    {122, "61"}, {123, "62"}, {200, "62"}};
    for (const auto& [raw, text] : shownFor) {
        block[26] = static_cast<uint8_t>(raw);
        EXPECT_EQ(shown(code4), text) << raw;
    }
    const std::pair<const char*, int> rawFor[] = {{"1", 62},  {"0", 62},   {"2", 63},  {"-62", 0},
                                                  {"-70", 0}, {"62", 123}, {"99", 123}};
    for (const auto& [text, raw] : rawFor) {
        type(code4, text);
        EXPECT_EQ(block[26], raw) << text;
    }
    block[26] = 62;
    spin(code4, +1); // 0 -> 2: the raw byte moves, the shown value does not stick at 0
    EXPECT_EQ(block[26], 63);
    block[26] = 123;
    spin(code4, +1);
    EXPECT_EQ(block[26], 0);
}

TEST_F(TuningBlockRows, TheSimulatedRepeatersAlignmentLiesWithinEveryRowsRange)
{
    sim::fillAlignedTuningBlock(block);
    for (std::size_t i = 0; i < tuningBlockFields().size(); ++i) {
        const FieldRow& r = tuningBlockFields()[i];
        const std::string before = shown(static_cast<int>(i));
        type(static_cast<int>(i), before); // typed back unchanged: nothing was clamped
        EXPECT_EQ(shown(static_cast<int>(i)), before) << "row " << i;
        if (r.codec == nullptr) {
            const double value = std::stod(before);
            EXPECT_GE(value, r.range.min) << "row " << i;
            EXPECT_LE(value, r.range.max) << "row " << i;
        }
    }
    EXPECT_EQ(shown(13), "-120");
    EXPECT_EQ(shown(15), "3");
}

} // namespace
} // namespace rps::test
