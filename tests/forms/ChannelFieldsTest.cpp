// The channel field table through the declared channel form, by field key, as the command-
// line tool and the forms reach it: one row per edge case of the channel fields.
#include "ChannelTestImage.h"
#include "forms/FieldForms.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace rps {
namespace {

struct ChannelFieldCase {
    const char* name;
    uint16_t modelCode;
    bool fineStep;
    std::vector<std::pair<std::string, std::string>> setup; // key = text entered first
    std::string key;
    std::string text;
    std::string shown; // what the field shows afterwards
    int message = 0;   // warning (or refusal) text
    bool refused = false;
    std::string otherKey = {}; // a second field the edit changed
    std::string otherShown = {};
};

const std::vector<ChannelFieldCase>& channelFieldCases()
{
    static const std::vector<ChannelFieldCase> cases{
        {"fine step kept with the step option",
         0x0400,
         true,
         {},
         "channel.1.rx-frequency",
         "150.00125",
         "150.001250"},
        {"fine step truncated without it",
         0x0400,
         false,
         {},
         "channel.1.rx-frequency",
         "150.00125",
         "150.000000"},
        {"far above the band takes the upper limit",
         0x0400,
         false,
         {},
         "channel.1.rx-frequency",
         "300",
         "174.000000",
         786},
        {"transmit below the band takes the lower limit",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.tx-frequency",
         "90",
         "136.000000",
         787},
        {"inside the window but outside the band is kept with the warning",
         0x0600,
         false,
         {},
         "channel.1.rx-frequency",
         "440",
         "440.000000",
         786},
        {"transmit of an empty channel cannot be edited",
         0x0400,
         false,
         {},
         "channel.2.tx-frequency",
         "150",
         "",
         0,
         true},
        {"typed DQT completed and copied to encode",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"},
          {"channel.1.tx-frequency", "151"},
          {"channel.1.channel-type", "T922"}},
         "channel.1.qt-decode",
         "D23",
         "D230N",
         0,
         false,
         "channel.1.qt-encode",
         "D230N"},
        {"tone below the lowest is the lowest",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}, {"channel.1.channel-type", "T922"}},
         "channel.1.qt-decode",
         "60",
         "67.0"},
        {"RAN above 63 is 63",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.ran-decode",
         "99",
         "63"},
        {"reserved name stored with a warning",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.name",
         "PG",
         "PG",
         809},
        {"one character is shown on the right",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.name",
         "7",
         " 7"},
        {"key data above the range is the maximum",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.key-data",
         "40000",
         "32767"},
        {"a list entry in other letter case",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.channel-type",
         "t922",
         "T922"},
        {"a label the list does not offer is refused",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.channel-type",
         "T999",
         "T923",
         0,
         true},
        {"a check box by its label",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.beat-shift",
         "t857",
         "T857"},
        {"NXDN leaves no QT/DQT to edit",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.qt-decode",
         "67.0",
         "T849",
         0,
         true},
        {"beat-shift options need Beat Shift on",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "beat-shift.1.option-3",
         "T857",
         "T858",
         0,
         true},
        {"beat-shift option ticked",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}, {"channel.1.beat-shift", "T857"}},
         "beat-shift.1.option-3",
         "T857",
         "T857"},
        {"clearing the receive frequency deletes the channel",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"}},
         "channel.1.rx-frequency",
         "",
         ""},
        {"operation mode goes from simplex back to repeater",
         0x0400,
         false,
         {{"channel.1.rx-frequency", "150"},
          {"channel.1.tx-frequency", "155"},
          {"channel.1.operation-mode", "T891"}},
         "channel.1.operation-mode",
         "T890",
         "T890"},
    };
    return cases;
}

// Enters a text into a field by key; the shown text of another key.
struct DeclaredChannels {
    DeclaredChannels(uint16_t modelCode, bool fineStep) : t(modelCode, fineStep)
    {
        env.texts = test::fakeText;
        env.limits = t.limits;
    }
    fields::EditResult enter(const std::string& key, const std::string& text)
    {
        const DeclaredForm& form = formOf(key);
        auto session = form.open(t.image, env);
        const auto field = findField(form, session->engine(), key);
        EXPECT_TRUE(field.has_value()) << key;
        if (!field || !session->engine().enabled(*field->row, field->record))
            return {0, true};
        return enterFieldText(session->engine(), *field, text);
    }
    std::string shown(const std::string& key)
    {
        const DeclaredForm& form = formOf(key);
        auto session = form.open(t.image, env);
        const auto field = findField(form, session->engine(), key);
        return field ? session->engine().shown(*field->row, field->record) : "?";
    }
    static const DeclaredForm& formOf(const std::string& key)
    {
        for (const DeclaredForm& form : declaredForms()) {
            if (key.starts_with(std::string(form.key) + "."))
                return form;
        }
        return declaredForms()[0];
    }

    test::ChannelTestImage t;
    fields::FieldEnv env;
};

class ChannelFieldCases : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ChannelFieldCases, EnteredAsTheFormWould)
{
    const ChannelFieldCase& c = channelFieldCases()[GetParam()];
    SCOPED_TRACE(c.name);
    DeclaredChannels channels(c.modelCode, c.fineStep);
    for (const auto& [key, text] : c.setup)
        ASSERT_FALSE(channels.enter(key, text).refused) << key;
    const fields::EditResult result = channels.enter(c.key, c.text);
    EXPECT_EQ(result.refused, c.refused);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(channels.shown(c.key), c.shown);
    if (!c.otherKey.empty()) {
        EXPECT_EQ(channels.shown(c.otherKey), c.otherShown);
    }
}

INSTANTIATE_TEST_SUITE_P(ChannelTable, ChannelFieldCases,
                         ::testing::Range<std::size_t>(0, channelFieldCases().size()));

TEST(ChannelFieldKeys, EveryDataFieldHasAUniqueKeyAndAnEmptyChannelListsOnlyItsReceiveFrequency)
{
    DeclaredChannels channels(0x0400, false);
    channels.enter("channel.3.rx-frequency", "150");
    auto session = declaredForms()[0].open(channels.t.image, channels.env);
    const std::vector<FieldEntry> entries = listFields(declaredForms()[0], session->engine());
    std::set<std::string> keys;
    int dataFields = 0;
    for (std::size_t i = 0; i < kChannelFields.size(); ++i) {
        EXPECT_EQ(kChannelFields[i].item, static_cast<int>(i)); // the table is looked up by item
        dataFields += kChannelFields[i].isDataField() ? 1 : 0;
    }
    for (const FieldEntry& entry : entries)
        EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
    EXPECT_EQ(entries.size(), static_cast<std::size_t>(29 + dataFields));
    EXPECT_TRUE(keys.contains("channel.3.rx-frequency"));
    EXPECT_TRUE(keys.contains("channel.3.key-data"));
    EXPECT_TRUE(keys.contains("channel.30.rx-frequency"));
    EXPECT_FALSE(keys.contains("channel.30.tx-frequency"));
}

} // namespace
} // namespace rps
