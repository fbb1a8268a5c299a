// The scan and advanced settings forms through their declared fields, by key, as the forms
// and the command-line tool reach them: one row per edge case.
#include "../ChannelTestImage.h"
#include "forms/FieldForms.h"
#include "forms/feature/ScanFields.h"
#include "forms/feature/SpecialFields.h"
#include "model/FeatureMap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace rps {
namespace {

enum class Act { Type, SpinUp, SpinDown };

struct FieldCase {
    const char* name;
    uint16_t modelCode;
    std::vector<std::pair<std::size_t, uint8_t>> bytes; // main-area bytes set first
    std::vector<int> channels;                          // channels 1..30 programmed first
    std::string key;
    Act act;
    std::string text;
    std::vector<std::pair<std::size_t, uint8_t>> stored; // main-area bytes afterwards
    std::string shown;                                   // what the field shows afterwards
    int message = 0;
    bool refused = false;
    std::string otherKey = {};
    std::string otherShown = {};
};

using feature::kQtReverseBurstPhase;
using feature::kRepeatHangTime;
using feature::kScanDwell;
using feature::kScanLookBackA;
using feature::kScanPriority;
using feature::kScanPriorityChannel;
using feature::kScanRevert;

const std::vector<FieldCase>& fieldCases()
{
    static const std::vector<FieldCase> cases{
        {"look back above the range takes the maximum",
         0x0400,
         {{kScanPriority, 0x30}},
         {},
         "scan.look-back-a",
         Act::Type,
         "7",
         {{kScanLookBackA, 50}},
         "5.0"},
        {"look back below the range takes the minimum",
         0x0400,
         {{kScanPriority, 0x30}},
         {},
         "scan.look-back-a",
         Act::Type,
         "0.27",
         {{kScanLookBackA, 5}},
         "0.5"},
        {"look back rounds down to a tenth",
         0x0400,
         {{kScanPriority, 0x30}},
         {},
         "scan.look-back-a",
         Act::Type,
         "1.27",
         {{kScanLookBackA, 12}},
         "1.2"},
        {"empty look back stores the minimum",
         0x0400,
         {{kScanPriority, 0x30}, {kScanLookBackA, 30}},
         {},
         "scan.look-back-a",
         Act::Type,
         "",
         {{kScanLookBackA, 5}},
         "0.5"},
        {"look back spins from the maximum to the minimum",
         0x0400,
         {{kScanPriority, 0x31}, {kScanLookBackA, 50}},
         {},
         "scan.look-back-a",
         Act::SpinUp,
         "",
         {{kScanLookBackA, 5}},
         "0.5"},
        {"dwell rounds down to half a second",
         0x0400,
         {},
         {},
         "scan.dwell",
         Act::Type,
         "2.3",
         {{kScanDwell, 20}},
         "2.0"},
        {"a stored time outside the range shows empty",
         0x0400,
         {{kScanDwell, 0xFF}},
         {},
         "scan.dropout-delay",
         Act::Type,
         "1",
         {{kScanDwell, 0xFF}},
         "1.0",
         0,
         false,
         "scan.dwell",
         ""},
        {"a time outside the range spins into it",
         0x0400,
         {{kScanDwell, 0xFF}},
         {},
         "scan.dwell",
         Act::SpinDown,
         "",
         {{kScanDwell, 50}},
         "5.0"},
        {"priority channel: a programmed channel is stored",
         0x0400,
         {{kScanPriority, 0x30}},
         {3, 12},
         "scan.priority-channel",
         Act::Type,
         "12",
         {{kScanPriorityChannel, 12}},
         "12"},
        {"priority channel: an empty channel is refused with 799",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 3}},
         {3},
         "scan.priority-channel",
         Act::Type,
         "12",
         {{kScanPriorityChannel, 3}},
         "3",
         799,
         true},
        {"priority channel: 31 is no channel, nothing stored",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 3}},
         {3},
         "scan.priority-channel",
         Act::Type,
         "31",
         {{kScanPriorityChannel, 3}},
         "3",
         799,
         true},
        {"priority channel: 0 is no channel, nothing stored",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 3}},
         {3},
         "scan.priority-channel",
         Act::Type,
         "0",
         {{kScanPriorityChannel, 3}},
         "3",
         799,
         true},
        {"priority channel: 255 is not none",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 3}},
         {3},
         "scan.priority-channel",
         Act::Type,
         "255",
         {{kScanPriorityChannel, 3}},
         "3",
         799,
         true},
        {"priority channel: empty text is none",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 3}},
         {3},
         "scan.priority-channel",
         Act::Type,
         "",
         {{kScanPriorityChannel, 0xFF}},
         "T849"},
        {"priority channel: a stored byte naming no channel shows empty",
         0x0400,
         {{kScanPriority, 0x30}, {kScanPriorityChannel, 0x40}},
         {},
         "scan.look-back-a",
         Act::Type,
         "1",
         {{kScanPriorityChannel, 0x40}},
         "1.0",
         0,
         false,
         "scan.priority-channel",
         ""},
        {"leaving priority scan takes back a revert to the priority channel",
         0x0400,
         {{kScanPriority, 0x30}, {kScanRevert, 0x35}},
         {},
         "scan.priority",
         Act::Type,
         "T862",
         {{kScanPriority, 0x31}, {kScanRevert, 0x30}},
         "T862",
         0,
         false,
         "scan.revert-channel",
         "T867"},
        {"another revert rule stays when priority scan ends",
         0x0400,
         {{kScanPriority, 0x30}, {kScanRevert, 0x33}},
         {},
         "scan.priority",
         Act::Type,
         "T849",
         {{kScanPriority, 0xFF}, {kScanRevert, 0x33}},
         "T849"},
        {"without priority scan the revert to the priority channel is not offered",
         0x0400,
         {{kScanPriority, 0x31}, {kScanRevert, 0x30}},
         {},
         "scan.revert-channel",
         Act::Type,
         "T1167",
         {{kScanRevert, 0x30}},
         "T867",
         0,
         true},
        {"with priority scan it is",
         0x0400,
         {{kScanPriority, 0x30}, {kScanRevert, 0x30}},
         {},
         "scan.revert-channel",
         Act::Type,
         "T1167",
         {{kScanRevert, 0x34}},
         "T1167"},
        {"phase 0xFF spins up from 180",
         0x0400,
         {{kQtReverseBurstPhase, 0xFF}},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::SpinUp,
         "",
         {{kQtReverseBurstPhase, 181}},
         "181"},
        {"phase 0xFF spins down from 180",
         0x0400,
         {{kQtReverseBurstPhase, 0xFF}},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::SpinDown,
         "",
         {{kQtReverseBurstPhase, 179}},
         "179"},
        {"phase typed as 180 is stored as the number",
         0x0400,
         {{kQtReverseBurstPhase, 0xFF}},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::Type,
         "180",
         {{kQtReverseBurstPhase, 180}},
         "180"},
        {"phase typed above the range takes 254",
         0x0400,
         {},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::Type,
         "300",
         {{kQtReverseBurstPhase, 254}},
         "254"},
        {"phase wraps from 254 to 0",
         0x0400,
         {{kQtReverseBurstPhase, 254}},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::SpinUp,
         "",
         {{kQtReverseBurstPhase, 0}},
         "0"},
        {"hang time below a second is off",
         0x0400,
         {{kRepeatHangTime, 0xE8}, {kRepeatHangTime + 1, 0x03}},
         {},
         "advanced.repeat-hang-time",
         Act::Type,
         "0.5",
         {{kRepeatHangTime, 0}, {kRepeatHangTime + 1, 0}},
         "T854"},
        {"hang time rounds down to a tenth",
         0x0400,
         {},
         {},
         "advanced.repeat-hang-time",
         Act::Type,
         "1.25",
         {{kRepeatHangTime, 120}, {kRepeatHangTime + 1, 0}},
         "1.2"},
        {"hang time above the range takes 30 s",
         0x0400,
         {},
         {},
         "advanced.repeat-hang-time",
         Act::Type,
         "45",
         {{kRepeatHangTime, 0xB8}, {kRepeatHangTime + 1, 0x0B}},
         "30.0"},
        {"hang time spins from off to the minimum",
         0x0400,
         {{kRepeatHangTime, 0}, {kRepeatHangTime + 1, 0}},
         {},
         "advanced.repeat-hang-time",
         Act::SpinUp,
         "",
         {{kRepeatHangTime, 100}, {kRepeatHangTime + 1, 0}},
         "1.0"},
        {"hang time never set shows empty",
         0x0400,
         {},
         {},
         "advanced.qt-reverse-burst-phase",
         Act::Type,
         "1",
         {},
         "1",
         0,
         false,
         "advanced.repeat-hang-time",
         ""},
        {"UHF tuning cell below the window takes the lower limit",
         0x0600,
         {},
         {},
         "advanced.tuning.1.first",
         Act::Type,
         "300",
         {},
         "450.000000",
         786,
         false,
         "advanced.tuning.1.second",
         "450.000000"},
        {"UHF tuning cell above the window takes the upper limit",
         0x0600,
         {},
         {},
         "advanced.tuning.1.second",
         Act::Type,
         "600",
         {},
         "520.000000",
         787},
        {"an empty tuning cell takes its default point",
         0x0400,
         {},
         {},
         "advanced.tuning.3.first",
         Act::Type,
         "",
         {},
         "155.050000",
         0,
         false,
         "advanced.tuning.3.second",
         "155.050000"},
        {"a zero tuning cell takes its default point",
         0x0700,
         {},
         {},
         "advanced.tuning.5.second",
         Act::Type,
         "0",
         {},
         "469.900000",
         0,
         false,
         "advanced.tuning.5.first",
         ""},
    };
    return cases;
}

class ScanSpecialFields : public testing::TestWithParam<FieldCase> {
protected:
    std::optional<FieldEntry> fieldOf(FieldFormSession& session, const std::string& key)
    {
        return findField(*findDeclaredForm(key.substr(0, key.find('.'))), session.engine(), key);
    }
    std::string shownOf(test::ChannelTestImage& t, const std::string& key)
    {
        auto session = findDeclaredForm(key.substr(0, key.find('.')))->open(t.image, env);
        const auto field = fieldOf(*session, key);
        EXPECT_TRUE(field) << key;
        return field ? session->engine().shown(*field->row, field->record) : std::string();
    }
    fields::FieldEnv env;
};

TEST_P(ScanSpecialFields, EnteredAsTheFormWould)
{
    const FieldCase& c = GetParam();
    test::ChannelTestImage t(c.modelCode);
    for (int channel : c.channels)
        t.program(channel - 1, "150");
    for (const auto& [offset, value] : c.bytes)
        t.image.main()[offset] = value;
    env.texts = test::fakeText;
    env.limits = t.limits;

    auto session = findDeclaredForm(c.key.substr(0, c.key.find('.')))->open(t.image, env);
    const auto field = fieldOf(*session, c.key);
    ASSERT_TRUE(field) << c.key;
    fields::FieldEngine& engine = session->engine();
    const fields::EditResult result =
        c.act == Act::Type ? enterFieldText(engine, *field, c.text)
                           : engine.spin(*field->row, field->record, c.act == Act::SpinUp ? 1 : -1);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.refused, c.refused);
    for (const auto& [offset, value] : c.stored)
        EXPECT_EQ(t.image.main()[offset], value) << "offset " << offset;
    EXPECT_EQ(engine.shown(*field->row, field->record), c.shown);
    if (!c.otherKey.empty()) {
        EXPECT_EQ(shownOf(t, c.otherKey), c.otherShown);
    }
}

INSTANTIATE_TEST_SUITE_P(FeatureTables, ScanSpecialFields, testing::ValuesIn(fieldCases()),
                         [](const testing::TestParamInfo<FieldCase>& info) {
                             std::string name;
                             for (char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(ScanRules, PriorityChannelAndLookBackFollowThePriorityMode)
{
    test::ChannelTestImage t;
    t.program(1, "150");
    t.program(4, "151");
    t.program(29, "152");
    fields::FieldEnv env{test::fakeText, t.limits};
    auto session = openScanForm(t.image, env);
    fields::FieldEngine& engine = session->engine();
    const auto& channel = kScanFields[scan::kItemPriorityChannel];
    const auto& lookBack = kScanFields[scan::kItemLookBackB];
    const auto& revert = kScanFields[scan::kItemRevert];

    t.image.main()[feature::kScanPriority] = 0xFF;
    EXPECT_FALSE(engine.enabled(channel, 0));
    EXPECT_FALSE(engine.enabled(lookBack, 0));
    t.image.main()[feature::kScanPriority] = 0x31;
    EXPECT_FALSE(engine.enabled(channel, 0));
    EXPECT_TRUE(engine.enabled(lookBack, 0));
    EXPECT_EQ(engine.choiceLabels(revert, 0), (std::vector<std::string>{"T867", "T862", "T865"}));
    t.image.main()[feature::kScanPriority] = 0x30;
    EXPECT_TRUE(engine.enabled(channel, 0));
    EXPECT_EQ(engine.choiceLabels(revert, 0).size(), 5u);
    // None first, then the programmed channels only, the last channel among them.
    EXPECT_EQ(engine.choiceLabels(channel, 0), (std::vector<std::string>{"T849", "2", "5", "30"}));
}

TEST(SpecialRules, ASecondFrequencyChangesItsOwnCellOnly)
{
    // Every byte of the tuning table and the bytes around it hold a pattern first.
    constexpr std::size_t kBefore = feature::kTuningPoints - 8;
    constexpr std::size_t kAfter =
        feature::kTuningPoints + feature::kTuningPointCount * feature::kTuningPointSize;
    auto fill = [](test::ChannelTestImage& t) {
        for (std::size_t offset = kBefore; offset < kAfter + 8; ++offset)
            t.image.main()[offset] = static_cast<uint8_t>(offset);
    };
    auto changedBytes = [](test::ChannelTestImage& t) {
        std::vector<std::size_t> changed;
        for (std::size_t offset = kBefore; offset < kAfter + 8; ++offset) {
            if (t.image.main()[offset] != static_cast<uint8_t>(offset))
                changed.push_back(offset);
        }
        return changed;
    };
    auto cellBytes = [](int point) {
        const std::size_t first = feature::kTuningPoints + feature::kTuningPointSize * point + 4;
        return std::vector<std::size_t>{first, first + 1, first + 2, first + 3};
    };
    for (int point = 0; point < feature::kTuningPointCount; ++point) {
        SCOPED_TRACE(point + 1);
        // By key, as the command-line tool enters it.
        test::ChannelTestImage byKey;
        fill(byKey);
        fields::FieldEnv env{test::fakeText, byKey.limits};
        auto form = openAdvancedForm(byKey.image, env);
        const std::string key = "advanced.tuning." + std::to_string(point + 1) + ".second";
        const auto field = findField(*findDeclaredForm("advanced"), form->engine(), key);
        ASSERT_TRUE(field);
        EXPECT_TRUE(enterFieldText(form->engine(), *field, "150").changed);
        EXPECT_EQ(changedBytes(byKey), cellBytes(point));

        // In the tuning grid, one record per point.
        test::ChannelTestImage inGrid;
        fill(inGrid);
        auto grid = openTuningGrid(inGrid.image, env);
        EXPECT_TRUE(grid->engine().commitText(kTuningColumns[1], point, "150").changed);
        EXPECT_EQ(changedBytes(inGrid), cellBytes(point));
    }
}

TEST(SpecialRules, DefaultPointsFollowTheModel)
{
    EXPECT_EQ(defaultTuningPoint(0x0400, 0, 0), 136050000u);
    EXPECT_EQ(defaultTuningPoint(0x0400, 4, 1), 173900000u);
    EXPECT_EQ(defaultTuningPoint(0x0600, 2, 1), 485100000u);
    EXPECT_EQ(defaultTuningPoint(0x0703, 3, 0), 452550000u);
    EXPECT_EQ(defaultTuningPoint(0x0400, 5, 0), 0xFFFFFFFFu); // no sixth point
}

} // namespace
} // namespace rps
