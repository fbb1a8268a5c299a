// The field engine over declared rows: every storage width, scale, off value, alias, wrap,
// clamp and round, one table row per case.
#include "forms/fields/FieldEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace rps::fields {
namespace {

std::string fakeText(int number)
{
    return "T" + std::to_string(number);
}

enum class Act { Show, Type, SpinUp, SpinDown, Check, Uncheck, Choose, Move }; // Show: no edit

struct EngineCase {
    const char* name;
    FieldRow row;
    std::vector<std::pair<std::size_t, uint8_t>> before; // bytes set before the action
    Act act;
    std::string text;           // typed or chosen text; for Move "from,to"
    std::size_t at;             // first byte compared
    std::vector<uint8_t> bytes; // expected bytes from `at`
    std::string shown;          // expected shown text afterwards
};

constexpr Choice kModes[] = {{0, 890}, {256, 892}, {1, 891}};
constexpr Choice kPriorities[] = {{0, 701}, {1, 702}, {2, 703}};

constexpr Storage kDtmfCode = text(0, 24).padded(0xFF).codec(TextCodec::DtmfDigits);
constexpr Storage kMorseText = text(0, 32).padded(0xFF).codec(TextCodec::Morse);
constexpr Storage kName = text(0, 14).padded(0x00).codec(TextCodec::Printable);

// The row of the second case of a word shared by a check box and a period.
constexpr FieldRow kPeriod = spin(2, "period", 0, bits16(0x10, 0x00FF), Range{1, 60, 1});

const std::vector<EngineCase>& engineCases()
{
    static const std::vector<EngineCase> cases{
        {"u8 typed above max clamps",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}),
         {},
         Act::Type,
         "45",
         0,
         {30},
         "30"},
        {"u8 text that is no number reads 0",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}),
         {},
         Act::Type,
         "x",
         0,
         {1},
         "1"},
        {"u8 spin up wraps to min",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}),
         {{0, 30}},
         Act::SpinUp,
         "",
         0,
         {1},
         "1"},
        {"u8 spin down wraps to max",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}),
         {{0, 1}},
         Act::SpinDown,
         "",
         0,
         {30},
         "30"},
        {"u16 integer clamp rounds down to step",
         spin(1, "a", 0, u16(2), Range{300, 3000, 10}),
         {},
         Act::Type,
         "1234",
         2,
         {0xCE, 0x04},
         "1230"},
        {"u16 below min is min",
         spin(1, "a", 0, u16(2), Range{300, 3000, 10}),
         {},
         Act::Type,
         "10",
         2,
         {0x2C, 0x01},
         "300"},
        {"scaled half steps round down",
         spin(1, "a", 0, u8(0).times(2), Range{0, 30, 0.5}),
         {},
         Act::Type,
         "3.74",
         0,
         {7},
         "3.5"},
        {"scaled spin adds one stored unit",
         spin(1, "a", 0, u8(0).times(2), Range{0, 30, 0.5}),
         {{0, 7}},
         Act::SpinUp,
         "",
         0,
         {8},
         "4.0"},
        {"empty text stores the off value",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}.offAt(0xFF, 849)),
         {{0, 5}},
         Act::Type,
         "",
         0,
         {0xFF},
         "T849"},
        {"off text typed stores the off value",
         spin(1, "a", 0, u8(0), Range{1, 30, 1}.offAt(0xFF, 849)),
         {{0, 5}},
         Act::Type,
         "T849",
         0,
         {0xFF},
         "T849"},
        {"spin up from max goes to off",
         spin(1, "a", 0, u16(0), Range{1, 99, 1}.offAt(0xFFFF, 849)),
         {{0, 99}, {1, 0}},
         Act::SpinUp,
         "",
         0,
         {0xFF, 0xFF},
         "T849"},
        {"spin up from off goes to min",
         spin(1, "a", 0, u16(0), Range{1, 99, 1}.offAt(0xFFFF, 849)),
         {{0, 0xFF}, {1, 0xFF}},
         Act::SpinUp,
         "",
         0,
         {1, 0},
         "1"},
        {"spin down from min goes to off",
         spin(1, "a", 0, u16(0), Range{1, 99, 1}.offAt(0xFFFF, 849)),
         {{0, 1}, {1, 0}},
         Act::SpinDown,
         "",
         0,
         {0xFF, 0xFF},
         "T849"},
        {"off that does not spin counts as below min",
         spin(1, "a", 0, u16(0), Range{1, 32767, 1}.offAt(0xFFFF, 0, false)),
         {{0, 0xFF}, {1, 0xFF}},
         Act::SpinDown,
         "",
         0,
         {0xFF, 0x7F},
         "32767"},
        {"alias: a typed 180 is stored as itself",
         spin(1, "a", 0, u8(0), Range{10, 180, 10}.readsAs(0xFF, 180)),
         {},
         Act::Type,
         "180",
         0,
         {180},
         "180"},
        {"alias: a spin up to 180 stores 180",
         spin(1, "a", 0, u8(0), Range{10, 180, 10}.readsAs(0xFF, 180)),
         {{0, 170}},
         Act::SpinUp,
         "",
         0,
         {180},
         "180"},
        {"alias: a spin down starts from the number shown",
         spin(1, "a", 0, u8(0), Range{10, 180, 10}.readsAs(0xFF, 180)),
         {{0, 0xFF}},
         Act::SpinDown,
         "",
         0,
         {170},
         "170"},
        {"alias: spin up from 180 wraps to min",
         spin(1, "a", 0, u8(0), Range{10, 180, 10}.readsAs(0xFF, 180)),
         {{0, 0xFF}},
         Act::SpinUp,
         "",
         0,
         {10},
         "10"},
        {"BCD packs four digits",
         spin(1, "a", 0, bcd(4), Range{0, 9999, 1}),
         {},
         Act::Type,
         "1234",
         4,
         {0x34, 0x12},
         "1234"},
        {"BCD spin carries a decimal digit",
         spin(1, "a", 0, bcd(4), Range{0, 9999, 1}),
         {{4, 0x09}, {5, 0x00}},
         Act::SpinUp,
         "",
         4,
         {0x10, 0x00},
         "10"},
        {"bit of a shared word leaves the rest",
         check(1, "a", 0, bits16(0x10, 0x8000), OnOff{1, 0}),
         {{0x10, 0x2A}, {0x11, 0x00}},
         Act::Check,
         "",
         0x10,
         {0x2A, 0x80},
         "T857"},
        {"period of a shared word leaves the flag",
         kPeriod,
         {{0x10, 0x2A}, {0x11, 0x80}},
         Act::Type,
         "75",
         0x10,
         {60, 0x80},
         "60"},
        {"bit 0 clear means on",
         check(1, "a", 0, bits8(3, 0x01), OnOff{0, 1}),
         {{3, 0xFF}},
         Act::Check,
         "",
         3,
         {0xFE},
         "T857"},
        {"any value but off reads as on",
         check(1, "a", 0, u8(0), OnOff{.on = 0, .off = 0xFF, .anyOtherIsOn = true}),
         {{0, 0x05}},
         Act::Uncheck,
         "",
         0,
         {0xFF},
         "T858"},
        {"text is padded with spaces",
         edit(1, "a", 0, text(0x20, 4)),
         {},
         Act::Type,
         "AB",
         0x20,
         {'A', 'B', ' ', ' '},
         "AB"},
        {"blank text is stored as 0xFF",
         edit(1, "a", 0, text(0x20, 4)),
         {{0x20, 'A'}},
         Act::Type,
         "  ",
         0x20,
         {0xFF, 0xFF, 0xFF, 0xFF},
         ""},
        {"list entry by label",
         list(1, "a", 0, u16(6), kModes),
         {},
         Act::Choose,
         "T892",
         6,
         {0x00, 0x01},
         "T892"},
        {"list entry by label in other case",
         list(1, "a", 0, u16(6), kModes),
         {},
         Act::Choose,
         "t891",
         6,
         {0x01, 0x00},
         "T891"},
        {"u32 holds a value above 2^31",
         spin(1, "a", 0, u32(8), Range{0, 4294967295.0, 1}),
         {},
         Act::Type,
         "3000000000",
         8,
         {0x00, 0x5E, 0xD0, 0xB2},
         "3000000000"},
        {"u32 shows all four bytes",
         spin(1, "a", 0, u32(8), Range{0, 4294967295.0, 1}),
         {{8, 0x78}, {9, 0x56}, {10, 0x34}, {11, 0x12}},
         Act::Show,
         "",
         8,
         {0x78, 0x56, 0x34, 0x12},
         "305419896"},
        {"bits of a byte are stored at their shift",
         spin(1, "a", 0, bits8(3, 0x70), Range{0, 7, 1}),
         {{3, 0x8F}},
         Act::Type,
         "5",
         3,
         {0xDF},
         "5"},
        {"bits of a word are read from their shift",
         spin(1, "a", 0, bits16(0x10, 0x0FF0), Range{0, 255, 1}),
         {{0x10, 0xBF}, {0x11, 0xFA}},
         Act::SpinUp,
         "",
         0x10,
         {0xCF, 0xFA},
         "172"},
        {"record bit: a set bit of its own reads as ticked",
         check(1, "a", 0, recordBit(Area::Main, 4), OnOff{1, 0}),
         {{4, 0x01}},
         Act::Uncheck,
         "",
         4,
         {0x00},
         "T858"},
        {"record bit: the neighbours' bits do not count",
         check(1, "a", 0, recordBit(Area::Main, 4), OnOff{1, 0}),
         {{4, 0xFE}},
         Act::Check,
         "",
         4,
         {0xFF},
         "T857"},
        {"off below min: exactly the half-second minimum is stored",
         spin(1, "a", 0, u8(0).times(2), Range{0.5, 30, 0.5}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 10}},
         Act::Type,
         "0.5",
         0,
         {1},
         "0.5"},
        {"off below min: less than the minimum is off",
         spin(1, "a", 0, u8(0).times(2), Range{0.5, 30, 0.5}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 10}},
         Act::Type,
         "0.4",
         0,
         {0},
         "T849"},
        {"off below min: empty stores the minimum",
         spin(1, "a", 0, u8(0).times(2), Range{0.5, 30, 0.5}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 10}},
         Act::Type,
         "",
         0,
         {1},
         "0.5"},
        {"off below min: the off text typed is off",
         spin(1, "a", 0, u8(0).times(2), Range{0.5, 30, 0.5}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 10}},
         Act::Type,
         "T849",
         0,
         {0},
         "T849"},
        {"off below min: exactly a whole minimum of 1 is stored",
         spin(1, "a", 0, u8(0), Range{1, 10, 1}.offBelowMin(0, 849)),
         {{0, 5}},
         Act::Type,
         "1",
         0,
         {1},
         "1"},
        {"off below min: exactly a minimum of 15 is stored",
         spin(1, "a", 0, u16(0), Range{15, 255, 1}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 100}},
         Act::Type,
         "15",
         0,
         {15, 0},
         "15"},
        {"off below min: 14 under a minimum of 15 is off",
         spin(1, "a", 0, u16(0), Range{15, 255, 1}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 100}},
         Act::Type,
         "14",
         0,
         {0, 0},
         "T849"},
        {"off below min: a stored number under the minimum shows off",
         spin(1, "a", 0, u16(0), Range{15, 255, 1}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 7}},
         Act::Show,
         "",
         0,
         {7, 0},
         "T849"},
        {"off below min: spin down from the minimum is off",
         spin(1, "a", 0, u16(0), Range{15, 255, 1}.offBelowMin(0, 849).emptyStoresMin()),
         {{0, 15}},
         Act::SpinDown,
         "",
         0,
         {0, 0},
         "T849"},
        {"off below min: spin up from off is the minimum",
         spin(1, "a", 0, u16(0), Range{15, 255, 1}.offBelowMin(0, 849).emptyStoresMin()),
         {},
         Act::SpinUp,
         "",
         0,
         {15, 0},
         "15"},
        {"blank outside: above the range shows nothing",
         spin(1, "a", 0, u8(0), Range{140, 200, 1}.blankWhenOutside()),
         {{0, 201}},
         Act::Show,
         "",
         0,
         {201},
         ""},
        {"blank outside: below the range shows nothing",
         spin(1, "a", 0, u8(0), Range{140, 200, 1}.blankWhenOutside()),
         {{0, 139}},
         Act::Show,
         "",
         0,
         {139},
         ""},
        {"blank outside: both ends of the range are shown",
         spin(1, "a", 0, u8(0), Range{140, 200, 1}.blankWhenOutside()),
         {{0, 200}},
         Act::Show,
         "",
         0,
         {200},
         "200"},
        {"blank outside: the minimum is shown",
         spin(1, "a", 0, u8(0), Range{140, 200, 1}.blankWhenOutside()),
         {{0, 140}},
         Act::Show,
         "",
         0,
         {140},
         "140"},
        {"negative scale: dBm typed are stored as -10 times",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {},
         Act::Type,
         "-100",
         0,
         {0xE8, 0x03},
         "-100"},
        {"negative scale: below the range is the lowest dBm",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {},
         Act::Type,
         "-130",
         0,
         {0xB0, 0x04},
         "-120"},
        {"negative scale: empty stores the minimum",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {},
         Act::Type,
         "",
         0,
         {0xB0, 0x04},
         "-120"},
        {"negative scale: spin up raises the dBm",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {{0, 0xE8}, {1, 0x03}},
         Act::SpinUp,
         "",
         0,
         {0xDE, 0x03},
         "-99"},
        {"negative scale: spin up from the top wraps to the bottom",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {{0, 0xB6}, {1, 0x03}},
         Act::SpinUp,
         "",
         0,
         {0xB0, 0x04},
         "-120"},
        {"negative scale: a stored value beyond the range shows nothing",
         spin(1, "a", 0, u16(0).times(-10), Range{-120, -95, 1}.emptyStoresMin().blankWhenOutside()),
         {{0, 0xBA}, {1, 0x04}},
         Act::Show,
         "",
         0,
         {0xBA, 0x04},
         ""},
        {"DTMF digits: one per byte, capitals shown, the rest 0xFF",
         edit(1, "a", 0, kDtmfCode),
         {},
         Act::Type,
         "12ab*#",
         0,
         {0x01, 0x02, 0x0A, 0x0B, 0x0E, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00},
         "12AB*#"},
        {"DTMF sixteen digits fill the digit bytes only",
         edit(1, "a", 0, kDtmfCode),
         {},
         Act::Type,
         "0123456789ABCD*#",
         14,
         {0x0E, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
         "0123456789ABCD*#"},
        {"DTMF empty code is all 0xFF",
         edit(1, "a", 0, kDtmfCode),
         {{0, 0x05}},
         Act::Type,
         "",
         0,
         {0xFF, 0xFF, 0xFF, 0xFF},
         ""},
        {"DTMF code ends at the first byte that is no digit",
         edit(1, "a", 0, kDtmfCode),
         {{0, 0x01}, {1, 0x10}, {2, 0x02}},
         Act::Show,
         "",
         0,
         {0x01, 0x10, 0x02},
         "1"},
        {"Morse text in capitals, padded with 0xFF",
         edit(1, "a", 0, kMorseText),
         {},
         Act::Type,
         "cq de 1?",
         0,
         {'C', 'Q', ' ', 'D', 'E', ' ', '1', '?', 0xFF, 0xFF},
         "CQ DE 1?"},
        {"Morse leading space dropped, last byte 0xFF",
         edit(1, "a", 0, kMorseText),
         {},
         Act::Type,
         " CQ",
         0,
         {'C', 'Q', 0xFF},
         "CQ"},
        {"Morse blank text is all 0xFF",
         edit(1, "a", 0, kMorseText),
         {{0, 'A'}},
         Act::Type,
         " ",
         0,
         {0xFF, 0xFF, 0xFF, 0xFF},
         ""},
        {"printable name: trailing spaces not stored, padded with 0x00",
         edit(1, "a", 0, kName),
         {{14, 0x77}},
         Act::Type,
         "AB  ",
         0,
         {'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x77},
         "AB"},
        {"printable name of full length has no terminator",
         edit(1, "a", 0, kName),
         {{14, 0x77}},
         Act::Type,
         "Site Alpha-7 ~",
         0,
         {'S', 'i', 't', 'e', ' ', 'A', 'l', 'p', 'h', 'a', '-', '7', ' ', '~', 0x77},
         "Site Alpha-7 ~"},
        {"printable name shows up to 0xFF of erased memory",
         edit(1, "a", 0, kName),
         {{0, 'N'}, {1, 0xFF}, {2, 'X'}},
         Act::Show,
         "",
         0,
         {'N', 0xFF, 'X'},
         "N"},
        {"plain text still pads with spaces",
         edit(1, "a", 0, text(0, 6)),
         {},
         Act::Type,
         "AB",
         0,
         {'A', 'B', ' ', ' ', ' ', ' ', 0x00},
         "AB"},
        {"plain blank text still stores 0xFF",
         edit(1, "a", 0, text(0, 4)),
         {{0, 'A'}},
         Act::Type,
         "  ",
         0,
         {0xFF, 0xFF, 0xFF, 0xFF, 0x00},
         ""},
        {"moving an entry keeps the others in order",
         order(1, "a", 0, permutation(8, 3), kPriorities),
         {{8, 0}, {9, 1}, {10, 2}},
         Act::Move,
         "2,0",
         8,
         {2, 0, 1},
         "T703, T701, T702"},
    };
    return cases;
}

class FieldEngineCases : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FieldEngineCases, StoresAndShows)
{
    const EngineCase& c = engineCases()[GetParam()];
    SCOPED_TRACE(c.name);
    std::array<uint8_t, 64> area{};
    area.fill(0);
    for (const auto& [offset, value] : c.before)
        area[offset] = value;
    GlobalRecords records(area);
    const FieldRow rows[] = {c.row};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
    EditResult result;
    switch (c.act) {
    case Act::Show:
        result.changed = true; // nothing is edited: the bytes stay, the text is what they show
        break;
    case Act::Type:
        result = engine.commitText(rows[0], 0, c.text);
        break;
    case Act::SpinUp:
        result = engine.spin(rows[0], 0, +1);
        break;
    case Act::SpinDown:
        result = engine.spin(rows[0], 0, -1);
        break;
    case Act::Check:
    case Act::Uncheck:
        result = engine.setChecked(rows[0], 0, c.act == Act::Check);
        break;
    case Act::Choose:
        result = engine.choose(rows[0], 0, c.text);
        break;
    case Act::Move:
        result = engine.moveEntry(rows[0], 0, c.text[0] - '0', c.text[2] - '0');
        break;
    }
    EXPECT_FALSE(result.refused);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(std::vector<uint8_t>(area.begin() + static_cast<std::ptrdiff_t>(c.at),
                                   area.begin() + static_cast<std::ptrdiff_t>(c.at + c.bytes.size())),
              c.bytes);
    EXPECT_EQ(engine.shown(rows[0], 0), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Encodings, FieldEngineCases, ::testing::Range<std::size_t>(0, engineCases().size()));

TEST(FieldEngine, ARecordBitIsTheBitOfItsOwnRecord)
{
    std::array<uint8_t, 16> area{};
    StrideRecords records(area, 0, 0, area.size(), 16); // every record sees the whole area
    const FieldRow rows[] = {check(1, "a", 0, recordBit(Area::Main, 4), OnOff{1, 0})};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
    engine.setChecked(rows[0], 9, true); // the tenth record: second byte, bit 1
    EXPECT_EQ(area[4], 0x00);
    EXPECT_EQ(area[5], 0x02);
    EXPECT_TRUE(engine.checked(rows[0], 9));
    EXPECT_FALSE(engine.checked(rows[0], 8));
    EXPECT_FALSE(engine.checked(rows[0], 1));
    engine.setChecked(rows[0], 8, true);
    engine.setChecked(rows[0], 9, false);
    EXPECT_EQ(area[5], 0x01);
}

TEST(FieldEngine, ShowsDecimalsWithTheLocaleSeparator)
{
    std::array<uint8_t, 4> area{7, 0, 0, 0};
    GlobalRecords records(area);
    const FieldRow rows[] = {spin(1, "a", 0, u8(0).times(2), Range{0, 30, 0.5})};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, ','});
    EXPECT_EQ(engine.shown(rows[0], 0), "3,5");
    engine.commitText(rows[0], 0, "4,5");
    EXPECT_EQ(area[0], 9);
}

TEST(FieldEngine, ChoosingALabelTheListDoesNotOfferIsRefusedAndStoresNothing)
{
    std::array<uint8_t, 8> area{};
    GlobalRecords records(area);
    const FieldRow rows[] = {list(1, "a", 0, u16(6), kModes)};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
    const EditResult result = engine.choose(rows[0], 0, "T999");
    EXPECT_TRUE(result.refused);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(area[6], 0);
}

struct NothingEnabled : FieldRules {
    bool enabled(const FieldRow&, int) const override { return false; }
};

TEST(FieldEngine, ADisabledFieldRefusesEveryEdit)
{
    std::array<uint8_t, 8> area{};
    GlobalRecords records(area);
    NothingEnabled rules;
    const FieldRow rows[] = {spin(1, "a", 0, u8(0), Range{1, 30, 1})};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'}, &rules);
    EXPECT_TRUE(engine.commitText(rows[0], 0, "5").refused);
    EXPECT_TRUE(engine.spin(rows[0], 0, +1).refused);
    EXPECT_EQ(area[0], 0);
}

TEST(FieldEngine, StrideRecordsAreNamedByNumberAndStayInsideTheArea)
{
    std::array<uint8_t, 40> area{};
    StrideRecords records(area, 8, 10, 4, 4); // the fourth record would end past the area
    const FieldRow rows[] = {spin(1, "level", 0, u8(1), Range{0, 9, 1})};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
    engine.commitText(rows[0], 1, "7");
    EXPECT_EQ(area[19], 7);
    EXPECT_EQ(engine.key("list", rows[0], 1), "list.2.level");
    EXPECT_TRUE(records.record(3).empty());
    EXPECT_FALSE(engine.commitText(rows[0], 3, "7").changed);
}

} // namespace
} // namespace rps::fields

namespace rps::fields {
namespace {

// A text the field cannot hold is refused whole, with the row's message, and stores nothing.
TEST(FieldEngine, TextsTheCodecCannotHoldAreRefusedWhole)
{
    struct Refused {
        FieldRow row;
        const char* text;
    };
    const Refused cases[] = {
        {edit(1, "a", 0, kDtmfCode), "12345678901234567"}, // a shortened code is another code
        {edit(1, "a", 0, kDtmfCode), "12E"},
        {edit(1, "a", 0, kMorseText).refusedWith(804), "CQ  DE"},
        {edit(1, "a", 0, kMorseText).refusedWith(804), "CQ!"},
        {edit(1, "a", 0, kName), "Caf\xC3\xA9"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.text);
        std::array<uint8_t, 40> area{};
        area.fill(0x5A);
        GlobalRecords records(area);
        const FieldRow rows[] = {c.row};
        FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
        const EditResult result = engine.commitText(rows[0], 0, c.text);
        EXPECT_TRUE(result.refused);
        EXPECT_FALSE(result.changed);
        EXPECT_EQ(result.message, c.row.refusalText);
        EXPECT_TRUE(std::all_of(area.begin(), area.end(), [](uint8_t b) { return b == 0x5A; }));
    }
}

// A label whose text the rules compute from the record; a caption that is a plain number.
struct RecordLabel : FieldRules {
    std::string computedText(const FieldRow&, int record) const override
    {
        return "record " + std::to_string(record + 1);
    }
};

TEST(FieldEngine, LabelRowsShowWhatTheRulesComputeAndNumberCaptionsTheirNumber)
{
    std::array<uint8_t, 8> area{};
    StrideRecords records(area, 0, 4, 4, 2);
    RecordLabel rules;
    const FieldRow rows[] = {label(0), edit(1, "name", numberCaption(3), text(0, 3))};
    FieldEngine engine(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'}, &rules);
    EXPECT_EQ(engine.shown(rows[0], 1), "record 2");
    EXPECT_FALSE(rows[0].isDataField());
    EXPECT_EQ(engine.env().text(rows[1].text), "3");
    EXPECT_EQ(engine.env().text(849), "T849");
    FieldEngine withoutRules(rows, records, {area, {}, {}}, FieldEnv{fakeText, {}, '.'});
    EXPECT_EQ(withoutRules.shown(rows[0], 1), "");
}

TEST(FieldEngine, EachFieldNamesTheImageBytesItOccupiesForItsRecord)
{
    std::array<uint8_t, 64> main{};
    std::array<uint8_t, 16> aux{};
    StrideRecords records(main, 16, 8, 8, 4); // record n at 16 + 8n
    const FieldRow rows[] = {
        spin(1, "a", 0, u16(2), Range{0, 100, 1}),
        edit(2, "b", 0, text(3, 5)),
        check(3, "c", 0, recordBit(Area::Aux, 4), OnOff{1, 0}),
        spin(4, "d", 0, u32(8).in(Area::Main), Range{0, 100, 1}),
        group(5, 0),
        edit(6, "e", 0, text(6, 5)), // runs past its record
    };
    FieldEngine engine(rows, records, {main, aux, {}}, FieldEnv{fakeText, {}, '.'});
    const auto at = [&](int row, int record) { return engine.bytesInImage(rows[row], record); };
    ASSERT_TRUE(at(0, 2));
    EXPECT_EQ(at(0, 2)->area, Area::Main);
    EXPECT_EQ(at(0, 2)->offset, 16u + 2 * 8 + 2);
    EXPECT_EQ(at(0, 2)->length, 2u);
    EXPECT_EQ(at(1, 0)->offset, 19u);
    EXPECT_EQ(at(1, 0)->length, 5u);
    // The bit of record 3 lies in the aux area's byte 4; record 9 would be the next byte.
    EXPECT_EQ(at(2, 3)->area, Area::Aux);
    EXPECT_EQ(at(2, 3)->offset, 4u);
    EXPECT_EQ(at(2, 3)->length, 1u);
    // A field of an area is the same bytes for every record.
    EXPECT_EQ(at(3, 0)->offset, 8u);
    EXPECT_EQ(at(3, 3)->offset, 8u);
    EXPECT_EQ(at(3, 3)->length, 4u);
    EXPECT_FALSE(at(4, 0)) << "a frame has no bytes";
    EXPECT_FALSE(at(0, 4)) << "no such record";
    EXPECT_FALSE(at(5, 0)) << "bytes beyond the record";
}

} // namespace
} // namespace rps::fields
