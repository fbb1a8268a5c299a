// The CW ID and CW message forms through their declared fields, by key, as the forms and the
// command-line tool reach them.
#include "../ChannelTestImage.h"
#include "forms/FieldForms.h"
#include "forms/signalling/CwIdFields.h"
#include "forms/signalling/CwMessageFields.h"
#include "model/FeatureMap.h"
#include "model/records/ChannelLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace rps {
namespace {

enum class Act { Type, SpinUp, SpinDown };

// Channel 1 is programmed with CW ID on; `key` names a field of it or of the CW message form.
struct CwCase {
    const char* name;
    std::string key;
    Act act;
    std::string text;
    std::size_t offset; // of the byte checked: in channel 1's record, or in the main area
    int stored;
    std::string shown;
    int message = 0;
    bool refused = false;
};

constexpr std::size_t kCwText = 64;
constexpr std::size_t kMessage3 = 0x0580 + 2 * 32;

const std::vector<CwCase>& cwCases()
{
    static const std::vector<CwCase> cases{
        {"TX delay rounds down to a tenth", "cwid.1.tx-delay", Act::Type, "2.37", 53, 23, "2.3"},
        {"empty TX delay is off", "cwid.1.tx-delay", Act::Type, "", 53, 0, "T854"},
        {"TX delay above the range takes 10 s", "cwid.1.tx-delay", Act::Type, "12", 53, 100, "10.0"},
        {"TX delay spins down from off to the maximum", "cwid.1.tx-delay", Act::SpinDown, "0", 53, 100,
         "10.0"},
        {"mod delay in 10 ms", "cwid.1.mod-delay", Act::Type, "1234", 33, 123, "1230"},
        {"mod delay 0 is off", "cwid.1.mod-delay", Act::Type, "0", 33, 0, "T854"},
        {"mod delay spins up from the maximum through off", "cwid.1.mod-delay", Act::SpinUp, "2550", 33, 0,
         "T854"},
        {"audio 950 stores 900 with a warning", "cwid.1.audio-frequency", Act::Type, "950", 59, 90, "900",
         817},
        {"audio below 900 has no warning", "cwid.1.audio-frequency", Act::Type, "850", 59, 80, "800"},
        {"audio spins from the maximum to the minimum", "cwid.1.audio-frequency", Act::SpinUp, "2000", 59, 40,
         "400"},
        {"TX interval spins from the minimum to the maximum", "cwid.1.tx-interval", Act::SpinDown, "1", 52,
         60, "60"},
        {"a CW ID with two spaces is refused", "cwid.1.text", Act::Type, "CQ  DE", kCwText, 'O', "OLD", 804,
         true},
        {"a leading space is dropped", "cwid.1.text", Act::Type, " AB", kCwText, 'A', "AB"},
        {"message audio empty stores the minimum", "cw-message.audio-frequency", Act::Type, "", 0x0572, 40,
         "400"},
        {"message speed empty stores the minimum", "cw-message.speed", Act::Type, "", 0x0571, 5, "5"},
        {"message mod delay empty is off", "cw-message.mod-delay", Act::Type, "", 0x0574, 0, "T854"},
        {"a message with two spaces is refused", "cw-message.3.text", Act::Type, "CQ  DE", kMessage3, 'O',
         "OLD", 804, true},
        {"lower case is stored as capitals", "cw-message.3.text", Act::Type, "cq de", kMessage3, 'C',
         "CQ DE"},
    };
    return cases;
}

class CwFields : public testing::TestWithParam<CwCase> {
protected:
    void SetUp() override
    {
        env.texts = test::fakeText;
        t.program(0, "150");
        t.record(0)[ChannelField::kCwId] = 1;
        for (const char* key : {"cwid.1.text", "cw-message.3.text"})
            ASSERT_FALSE(enter(key, "OLD").refused);
    }
    std::unique_ptr<FieldFormSession> open(const std::string& key)
    {
        return findDeclaredForm(key.substr(0, key.find('.')))->open(t.image, env);
    }
    fields::EditResult enter(const std::string& key, const std::string& text)
    {
        auto session = open(key);
        const auto field = findField(*findDeclaredForm(key.substr(0, key.find('.'))), session->engine(), key);
        EXPECT_TRUE(field) << key;
        const auto typed = field ? typedText(session->engine(), *field, text) : std::nullopt;
        EXPECT_TRUE(typed) << text;
        return typed ? enterFieldText(session->engine(), *field, *typed) : fields::EditResult{0, true};
    }
    fields::EditResult spin(const std::string& key, int direction)
    {
        auto session = open(key);
        const auto field = findField(*findDeclaredForm(key.substr(0, key.find('.'))), session->engine(), key);
        return session->engine().spin(*field->row, field->record, direction);
    }
    std::string shown(const std::string& key)
    {
        auto session = open(key);
        const auto field = findField(*findDeclaredForm(key.substr(0, key.find('.'))), session->engine(), key);
        return session->engine().shown(*field->row, field->record);
    }

    fields::FieldEnv env;
    test::ChannelTestImage t;
};

TEST_P(CwFields, StoresAndShows)
{
    const CwCase& c = GetParam();
    const bool inRecord = c.key.starts_with("cwid");
    fields::EditResult result;
    if (c.act == Act::Type) {
        result = enter(c.key, c.text);
    } else {
        ASSERT_FALSE(enter(c.key, c.text).refused);
        result = spin(c.key, c.act == Act::SpinUp ? 1 : -1);
    }
    EXPECT_EQ(result.refused, c.refused);
    EXPECT_EQ(result.message, c.message);
    const uint8_t byte = inRecord ? t.record(0)[c.offset] : t.image.main()[c.offset];
    EXPECT_EQ(byte, c.stored);
    EXPECT_EQ(shown(c.key), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cw, CwFields, testing::ValuesIn(cwCases()));

// Each switch of the CW ID form sets its own byte of the channel record and no other.
TEST_F(CwFields, EachCwIdSwitchSetsItsOwnByte)
{
    t.record(0)[ChannelField::kChannelType] = 0; // analog: every switch is offered
    const struct {
        const char* key;
        std::size_t offset;
    } switches[] = {{"cwid.1.tx-required", 54},
                    {"cwid.1.over", 55},
                    {"cwid.1.to-ra", 56},
                    {"cwid.1.on-channel-change", 57},
                    {"cwid.1.encode-qt", 60}};
    for (const auto& s : switches) {
        SCOPED_TRACE(s.key);
        const std::vector<uint8_t> before(t.record(0).begin(), t.record(0).end());
        auto session = open(s.key);
        const auto field = findField(*findDeclaredForm("cwid"), session->engine(), s.key);
        ASSERT_TRUE(field);
        session->engine().setChecked(*field->row, field->record, true);
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(t.record(0)[i], i == s.offset ? 1 : before[i]) << "byte " << i;
        session->engine().setChecked(*field->row, field->record, false);
        EXPECT_EQ(t.record(0)[s.offset], 0);
    }
}

TEST_F(CwFields, MorseTextsPadWithEmptyBytesAndALeadingSpaceMovesTheTextLeft)
{
    ASSERT_FALSE(enter("cwid.1.text", " AB").refused);
    EXPECT_EQ(t.record(0)[kCwText], 'A');
    EXPECT_EQ(t.record(0)[kCwText + 1], 'B');
    for (std::size_t i = 2; i < 32; ++i)
        EXPECT_EQ(t.record(0)[kCwText + i], 0xFF) << i;
    // A text of one space is no text.
    ASSERT_FALSE(enter("cw-message.3.text", " ").refused);
    for (std::size_t i = 0; i < 32; ++i)
        EXPECT_EQ(t.image.main()[kMessage3 + i], 0xFF) << i;
}

TEST_F(CwFields, EmptyingAMessageInUseTakesItsKeyFunctionAway)
{
    auto slot = [this](std::size_t offset) { return getU16(t.image.main(), offset); };
    const std::size_t key2 = feature::kKeyFunctions + feature::kGroupStride;
    const std::size_t timer1 = feature::kTimerFunctions;
    setU16(t.image.main(), key2, 0x3332);
    setU16(t.image.main(), timer1, 0x3232); // message 2's function stays
    ASSERT_FALSE(enter("cw-message.3.text", "").refused);
    EXPECT_EQ(slot(key2), 0x2020);
    EXPECT_EQ(slot(timer1), 0x3232);

    // A message already empty changes nothing elsewhere.
    setU16(t.image.main(), key2, 0x3332);
    ASSERT_FALSE(enter("cw-message.3.text", "").refused);
    EXPECT_EQ(slot(key2), 0x3332);

    // The first and the last message as well.
    for (int message : {1, 8}) {
        const std::string key = "cw-message." + std::to_string(message) + ".text";
        ASSERT_FALSE(enter(key, "CQ").refused);
        setU16(t.image.main(), key2, static_cast<uint16_t>(((0x30 + message) << 8) | 0x32));
        ASSERT_FALSE(enter(key, "").refused);
        EXPECT_EQ(slot(key2), 0x2020) << "message " << message;
    }
}

TEST_F(CwFields, EnabledOnlyWithCwIdOnAndNotOverOrEncodeOnNxdn)
{
    auto session = open("cwid");
    fields::FieldEngine& engine = session->engine();
    auto enabled = [&](int item, int channel) {
        return engine.enabled(*fields::findRow(kCwIdFields, item), channel);
    };
    t.record(0)[ChannelField::kChannelType] = kTypeNxdn;
    EXPECT_FALSE(enabled(cwid::kItemOver, 0));
    EXPECT_FALSE(enabled(cwid::kItemEncodeQt, 0));
    EXPECT_TRUE(enabled(cwid::kItemToRa, 0));
    EXPECT_TRUE(enabled(cwid::kItemText, 0));
    t.record(0)[ChannelField::kChannelType] = kTypeMixed;
    EXPECT_TRUE(enabled(cwid::kItemOver, 0));

    t.record(0)[ChannelField::kCwId] = 0;
    EXPECT_FALSE(enabled(cwid::kItemText, 0));
    EXPECT_FALSE(enabled(cwid::kItemTxDelay, 0));
    EXPECT_FALSE(enabled(cwid::kItemToRa, 4)); // no record
    EXPECT_TRUE(enabled(cwid::kItemChannel, 4));
    EXPECT_EQ(engine.shown(*fields::findRow(kCwIdFields, cwid::kItemChannel), 4), "T868  5");
}

TEST_F(CwFields, ListsTheCwIdOfProgrammedChannelsOnly)
{
    t.program(2, "151");
    auto session = open("cwid");
    std::vector<std::string> keys;
    for (const FieldEntry& entry : listFields(*findDeclaredForm("cwid"), session->engine()))
        keys.push_back(entry.key);
    ASSERT_EQ(keys.size(), 22u); // eleven fields of channels 1 and 3, no label
    EXPECT_EQ(keys.front(), "cwid.1.text");
    EXPECT_EQ(keys.back(), "cwid.3.encode-qt");
}

} // namespace
} // namespace rps
