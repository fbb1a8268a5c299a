// The optional features through their declared form, by field key, as the form and the
// command-line tool reach them: each edge case a row of what is entered and what is stored.
#include "forms/feature/FeatureFields.h"
#include "FeatureTestImage.h"
#include "forms/FieldForms.h"
#include "model/FeatureMap.h"
#include "model/ModelBlock.h"
#include "model/records/FunctionCodePlaces.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace rps {
namespace {

using test::FeatureTestImage;
using namespace feature;

constexpr uint16_t E = kNoFunction;

fields::FieldEnv testEnv()
{
    return {
        [](int n) { return n == kFeatureOffText ? std::string("Off") : "T" + std::to_string(n); }, {}, '.'};
}

enum class Act { Type, Spin, Check };

struct Step {
    std::string key;
    Act act = Act::Type;
    std::string text = {}; // typed text
    int direction = 0;     // spin, or 1/0 for a check box
};

struct FeatureCase {
    const char* name;
    std::function<void(FeatureTestImage&)> setup;
    Step step;
    std::size_t offset;
    int width; // 1 or 2 bytes
    uint32_t stored;
    std::string shown = {}; // what the field shows afterwards, when given
    bool refused = false;
};

fields::EditResult apply(fields::FieldEngine& engine, const FieldEntry& field, const Step& step)
{
    switch (step.act) {
    case Act::Spin:
        return engine.spin(*field.row, field.record, step.direction);
    case Act::Check:
        return engine.setChecked(*field.row, field.record, step.direction != 0);
    case Act::Type:
        break;
    }
    return enterFieldText(engine, field, step.text);
}

const std::vector<FeatureCase>& featureCases()
{
    auto u8At = [](std::size_t offset, uint8_t value) {
        return [=](FeatureTestImage& t) { t.main()[offset] = value; };
    };
    auto u16At = [](std::size_t offset, uint16_t value) {
        return [=](FeatureTestImage& t) { t.setCode(offset, value); };
    };
    auto none = [](FeatureTestImage&) {};
    auto pttInOrder = [](FeatureTestImage& t) {
        t.main()[kPttPriority] = 0;
        t.main()[kPttPriority + 1] = 2;
        t.main()[kPttPriority + 2] = 3;
    };
    static const std::vector<FeatureCase> cases{
        {"tot rounds down to the half second",
         none,
         {"features.tot", Act::Type, "7.3"},
         kRepeaterTot,
         1,
         14,
         "7.0"},
        {"tot clamps to 30 s", none, {"features.tot", Act::Type, "45"}, kRepeaterTot, 1, 60, "30.0"},
        {"tot emptied takes the shortest time, not off",
         u8At(kRepeaterTot, 20),
         {"features.tot", Act::Type, ""},
         kRepeaterTot,
         1,
         1,
         "0.5"},
        {"tot typed below half a second is off",
         u8At(kRepeaterTot, 20),
         {"features.tot", Act::Type, "0.3"},
         kRepeaterTot,
         1,
         0,
         "Off"},
        {"tot pre-alert is refused while the tot is off",
         u8At(kRepeaterTot, 0),
         {"features.tot-pre-alert", Act::Type, "5"},
         kTotPreAlert,
         1,
         0xFF,
         "",
         true},
        {"squelch wraps from 15 to 0",
         u8At(kSquelchLevel, 15),
         {"features.squelch-level", Act::Spin, {}, 1},
         kSquelchLevel,
         1,
         0,
         "0"},
        {"test tone is stored as BCD",
         none,
         {"features.test-tone", Act::Type, "1234"},
         kTestTone,
         2,
         0x1234,
         "1234"},
        {"test tone clamps to 3000 Hz",
         none,
         {"features.test-tone", Act::Type, "5000"},
         kTestTone,
         2,
         0x3000,
         "3000"},
        {"test tone spins in decimal digits",
         u16At(kTestTone, 0x1299),
         {"features.test-tone", Act::Spin, {}, 1},
         kTestTone,
         2,
         0x1300},
        {"signal detect is stored as -dBm x 10",
         none,
         {"features.rx-signal-detect", Act::Type, "-100"},
         kRxSignalDetect,
         2,
         1000,
         "-100"},
        {"signal detect clamps to -120 dBm",
         none,
         {"features.rx-signal-detect", Act::Type, "-130"},
         kRxSignalDetect,
         2,
         1200,
         "-120"},
        {"signal detect emptied takes the lowest level",
         none,
         {"features.rx-signal-detect", Act::Type, ""},
         kRxSignalDetect,
         2,
         1200,
         "-120"},
        {"signal detect +1 raises the level",
         u16At(kRxSignalDetect, 1000),
         {"features.rx-signal-detect", Act::Spin, {}, 1},
         kRxSignalDetect,
         2,
         990,
         "-99"},
        {"signal detect +1 at -95 wraps to -120",
         u16At(kRxSignalDetect, 950),
         {"features.rx-signal-detect", Act::Spin, {}, 1},
         kRxSignalDetect,
         2,
         1200,
         "-120"},
        {"local mic tot below 15 is off",
         u16At(kLocalMicTot, 100),
         {"features.local-mic-tot", Act::Type, "10"},
         kLocalMicTot,
         2,
         0,
         "Off"},
        {"local mic tot +1 from off gives 15",
         u16At(kLocalMicTot, 0),
         {"features.local-mic-tot", Act::Spin, {}, 1},
         kLocalMicTot,
         2,
         15,
         "15"},
        {"local mic tot -1 from 15 gives off",
         u16At(kLocalMicTot, 15),
         {"features.local-mic-tot", Act::Spin, {}, -1},
         kLocalMicTot,
         2,
         0,
         "Off"},
        {"local mic tot emptied takes 15",
         u16At(kLocalMicTot, 0),
         {"features.local-mic-tot", Act::Type, ""},
         kLocalMicTot,
         2,
         15,
         "15"},
        {"a stored value outside the range shows empty",
         u8At(kSquelchLevel, 0x20),
         {"features.tot", Act::Type, "1"},
         kSquelchLevel,
         1,
         0x20},
        {"courtesy tone ticked sets 100 ms",
         u16At(kCourtesyTonePeriod, 0),
         {"features.courtesy-tone", Act::Check, {}, 1},
         kCourtesyTonePeriod,
         2,
         10},
        {"courtesy tone ticked again keeps its period",
         u16At(kCourtesyTonePeriod, 50),
         {"features.courtesy-tone", Act::Check, {}, 1},
         kCourtesyTonePeriod,
         2,
         50,
         "T857"},
        {"ptt priority given in a new order moves its entries",
         pttInOrder,
         {"features.ptt-priority", Act::Type, "t1051, T1049 ,t1050"},
         kPttPriority,
         2,
         0x0003,
         "T1051, T1049, T1050"},
        {"ptt priority missing an entry is refused",
         pttInOrder,
         {"features.ptt-priority", Act::Type, "T1051, T1049"},
         kPttPriority,
         2,
         0x0200,
         {},
         true},
        {"courtesy tone cleared sets the period to 0",
         u16At(kCourtesyTonePeriod, 50),
         {"features.courtesy-tone", Act::Check, {}, 0},
         kCourtesyTonePeriod,
         2,
         0},
        {"courtesy period in 10 ms units",
         u16At(kCourtesyTonePeriod, 10),
         {"features.courtesy-tone-period", Act::Type, "555"},
         kCourtesyTonePeriod,
         2,
         55,
         "550"},
        {"courtesy frequency is refused while the tone is off",
         u16At(kCourtesyTonePeriod, 0),
         {"features.courtesy-tone-frequency", Act::Type, "1000"},
         kCourtesyToneFrequency,
         2,
         0xFFFF,
         "",
         true},
        {"power on tone is on while its bit is clear",
         none,
         {"features.power-on-tone", Act::Check, {}, 1},
         kToneOptions,
         1,
         0xFE},
        {"external reference stores 0x30",
         none,
         {"features.external-reference", Act::Check, {}, 1},
         kExternalReference,
         1,
         0x30},
        {"pilot frequency is refused while the tone is off",
         u8At(kVotingPilotTone, 0xFF),
         {"features.voting-pilot-frequency", Act::Type, "T1055"},
         kVotingPilotFrequency,
         2,
         0xFFFF,
         "",
         true},
        {"timer 1 at 0 empties its functions",
         [](FeatureTestImage& t) {
             t.main()[kTimerValues] = 5;
             t.setSlots(kTimerFunctions, {0x3131, 0x3022, 0x322A});
         },
         {"features.timer.1.value", Act::Type, "0"},
         kTimerFunctions + 2,
         2,
         E},
        {"emptying start-up 1 empties the later entries",
         [](FeatureTestImage& t) {
             t.setSlots(kStartUpFunctions, {0x3131, 0x3022, 0x322A});
         },
         {"features.start-up.1", Act::Type, ""},
         kStartUpFunctions + 4,
         2,
         E},
    };
    return cases;
}

uint32_t storedAt(FeatureTestImage& t, std::size_t offset, int width)
{
    return width == 1 ? t.main()[offset] : t.code(offset);
}

TEST(FeatureFields, EdgeCasesStoreAndShowAsTheFormDoes)
{
    const DeclaredForm* form = findDeclaredForm("features");
    ASSERT_NE(form, nullptr);
    for (const FeatureCase& c : featureCases()) {
        SCOPED_TRACE(c.name);
        FeatureTestImage t;
        t.setCode(kTestTone, 0x1000);
        c.setup(t);
        const auto session = form->open(t.image, testEnv());
        fields::FieldEngine& engine = session->engine();
        const auto field = findField(*form, engine, c.step.key);
        ASSERT_TRUE(field) << c.step.key;
        const fields::EditResult result = apply(engine, *field, c.step);
        EXPECT_EQ(result.refused, c.refused);
        EXPECT_EQ(storedAt(t, c.offset, c.width), c.stored);
        if (!c.shown.empty()) {
            EXPECT_EQ(engine.shown(*field->row, field->record), c.shown);
        }
    }
}

TEST(FeatureFields, StoredValuesOutsideTheirRangeShowEmptyOrOff)
{
    struct Case {
        const char* key;
        std::size_t offset;
        int width;
        uint32_t stored;
        std::string shown;
    };
    const Case cases[] = {
        {"features.squelch-level", kSquelchLevel, 1, 0xFF, ""},
        {"features.tot", kRepeaterTot, 1, 0xFF, ""},
        {"features.test-tone", kTestTone, 2, 0xFFFF, ""},
        {"features.test-tone", kTestTone, 2, 0x0200, ""},
        {"features.local-mic-tot", kLocalMicTot, 2, 0xFFFF, ""},
        {"features.local-mic-tot", kLocalMicTot, 2, 10, "Off"},
        {"features.rx-signal-detect", kRxSignalDetect, 2, 900, ""},
    };
    const DeclaredForm* form = findDeclaredForm("features");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FeatureTestImage t;
        if (c.width == 1)
            t.main()[c.offset] = static_cast<uint8_t>(c.stored);
        else
            t.setCode(c.offset, static_cast<uint16_t>(c.stored));
        const auto session = form->open(t.image, testEnv());
        const auto field = findField(*form, session->engine(), c.key);
        ASSERT_TRUE(field);
        EXPECT_EQ(session->engine().shown(*field->row, 0), c.shown) << c.stored;
    }
}

TEST(FeatureFields, PrerequisitesSwitchedOffRemoveTheirFunctionsFromEveryKey)
{
    struct Case {
        const char* key;
        std::string text;
        uint16_t removed;
    };
    const Case cases[] = {
        {"features.repeat-hold-timer", "0.0", 0x3235},
        {"features.voting-pilot-tone", "T858", 0x3229},
    };
    const DeclaredForm* form = findDeclaredForm("features");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FeatureTestImage t;
        t.main()[kRepeatHoldTimer] = 20;
        t.main()[kVotingPilotTone] = 0x00;
        for (int key = 0; key < kKeyCount; ++key)
            t.setSlots(kKeyFunctions + kGroupStride * static_cast<std::size_t>(key),
                       {0x3131, 0x3022, 0x322A});
        t.setSlots(kKeyFunctions, {c.removed, E, E});
        t.setSlots(kKeyFunctions + 3 * kGroupStride, {0x3131, c.removed, 0x322A});
        const auto session = form->open(t.image, testEnv());
        const auto field = findField(*form, session->engine(), c.key);
        ASSERT_TRUE(field);
        EXPECT_TRUE(enterFieldText(session->engine(), *field, c.text).changed);
        EXPECT_EQ(t.slots(kKeyFunctions), (std::array<uint16_t, 3>{E, E, E}));
        EXPECT_EQ(t.slots(kKeyFunctions + 3 * kGroupStride), (std::array<uint16_t, 3>{0x3131, E, E}));
        EXPECT_EQ(t.slots(kKeyFunctions + kGroupStride), (std::array<uint16_t, 3>{0x3131, 0x3022, 0x322A}));
    }
}

TEST(FeatureFields, PttPriorityMovesBySwappingTwoBytes)
{
    const DeclaredForm* form = findDeclaredForm("features");
    FeatureTestImage t;
    t.main()[kPttPriority] = 0;
    t.main()[kPttPriority + 1] = 2;
    t.main()[kPttPriority + 2] = 3;
    const auto session = form->open(t.image, testEnv());
    const auto& row = featureField(kItemPttPriority);
    // -1 on the second entry: it moves to the front.
    EXPECT_TRUE(session->engine().moveEntry(row, 0, 1, 0).changed);
    EXPECT_EQ(t.main()[kPttPriority], 2);
    EXPECT_EQ(t.main()[kPttPriority + 1], 0);
    EXPECT_EQ(t.main()[kPttPriority + 2], 3);
    EXPECT_EQ(session->engine().orderLabels(row, 0), (std::vector<std::string>{"T1050", "T1049", "T1051"}));
    // The first cannot move towards the start, the last not towards the end; no jumps.
    EXPECT_TRUE(session->engine().moveEntry(row, 0, 0, -1).refused);
    EXPECT_TRUE(session->engine().moveEntry(row, 0, 2, 3).refused);
    EXPECT_TRUE(session->engine().moveEntry(row, 0, 0, 2).refused);
    EXPECT_EQ(t.main()[kPttPriority], 2);
}

TEST(FeatureFields, DataPasswordTakesSixLettersAndDigitsAndNamesWhatItRefuses)
{
    const DeclaredForm* form = findDeclaredForm("features");
    FeatureTestImage t;
    const auto session = form->open(t.image, testEnv());
    const auto field = findField(*form, session->engine(), "features.overwrite-password");
    ASSERT_TRUE(field);

    EXPECT_TRUE(enterFieldText(session->engine(), *field, "AB12CD").changed);
    EXPECT_EQ(std::string(t.main().begin() + kOverwritePassword, t.main().begin() + kOverwritePassword + 6),
              "AB12CD");
    for (const char* refused : {"AB12CDE", "AB-12"}) {
        SCOPED_TRACE(refused);
        const fields::EditResult result = enterFieldText(session->engine(), *field, refused);
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(result.message, kPasswordCharactersText);
        EXPECT_EQ(
            std::string(t.main().begin() + kOverwritePassword, t.main().begin() + kOverwritePassword + 6),
            "AB12CD");
    }
}

TEST(FeatureFields, DataPasswordFlagIsSetWhileItsPasswordIsEmpty)
{
    struct Case {
        const char* key;
        std::size_t offset;
        uint16_t bit;
    };
    const Case cases[] = {
        {"features.read-password", kReadPassword, kOptionReadPasswordEmpty},
        {"features.overwrite-password", kOverwritePassword, kOptionWritePasswordEmpty},
    };
    const DeclaredForm* form = findDeclaredForm("features");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FeatureTestImage t;
        ModelBlock block = ModelBlock::fromModelCode(0x0400);
        block.setOptionFlags(0xFFFF);
        writeModelBlock(t.main(), block);
        const auto session = form->open(t.image, testEnv());
        const auto field = findField(*form, session->engine(), c.key);
        ASSERT_TRUE(field);

        EXPECT_TRUE(enterFieldText(session->engine(), *field, "AB12").changed);
        EXPECT_EQ(std::string(t.main().begin() + static_cast<long>(c.offset),
                              t.main().begin() + static_cast<long>(c.offset) + 6),
                  "AB12  ");
        EXPECT_EQ(readModelBlock(t.main()).optionFlags(), 0xFFFF & ~c.bit);

        EXPECT_TRUE(enterFieldText(session->engine(), *field, "").changed);
        EXPECT_EQ(t.main()[c.offset], 0xFF);
        EXPECT_EQ(t.main()[c.offset + 5], 0xFF);
        EXPECT_EQ(readModelBlock(t.main()).optionFlags(), 0xFFFF);

        // Only letters and digits: anything else is refused and nothing is stored.
        EXPECT_TRUE(enterFieldText(session->engine(), *field, "AB-1").refused);
        EXPECT_EQ(t.main()[c.offset], 0xFF);
    }
    EXPECT_EQ(dataPasswordProblem("AB12", "AB12"), 0);
    EXPECT_EQ(dataPasswordProblem("AB12", "AB13"), kPasswordMismatchText);
}

TEST(FeatureFields, FunctionRowsOfferTheirContextAndShowNames)
{
    const DeclaredForm* form = findDeclaredForm("features");
    FeatureTestImage t;
    t.setSlots(kStartUpFunctions, {0x3131, E, E});
    const auto session = form->open(t.image, testEnv());
    fields::FieldEngine& engine = session->engine();
    const auto first = findField(*form, engine, "features.start-up.1");
    const auto second = findField(*form, engine, "features.start-up.2");
    const auto third = findField(*form, engine, "features.start-up.3");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(engine.shown(*first->row, 0), "T1231");
    EXPECT_TRUE(engine.enabled(*second->row, 0));
    EXPECT_FALSE(engine.enabled(*third->row, 0));
    const auto labels = engine.choiceLabels(*first->row, 0);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "");
    EXPECT_EQ(std::count(labels.begin(), labels.end(), ""), 1);
}

} // namespace
} // namespace rps
