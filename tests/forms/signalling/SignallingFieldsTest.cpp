// The DTMF and NXDN forms through their declared fields, by key, as the forms and the
// command-line tool reach them: each edge case a row of what is entered and what is stored.
#include "forms/FieldForms.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/SignallingMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rps {
namespace {

using namespace signalling;

const InstallationId kId{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB};

fields::FieldEnv testEnv()
{
    return {[](int n) { return n == 857   ? std::string("On")
                               : n == 858 ? "Off"
                                          : "T" + std::to_string(n); },
            {},
            '.'};
}

struct NewImage {
    NewImage()
    {
        image.clear();
        buildDefaults(image, true, false, kId);
    }
    ConfigImage image;
};

// The shown value of every field of a form, in key order.
std::vector<std::pair<std::string, std::string>> shownFields(const char* formKey, ConfigImage& image)
{
    const DeclaredForm* form = findDeclaredForm(formKey);
    EXPECT_NE(form, nullptr);
    const auto session = form->open(image, testEnv());
    std::vector<std::pair<std::string, std::string>> shown;
    for (const FieldEntry& field : listFields(*form, session->engine()))
        shown.emplace_back(field.key, session->engine().shown(*field.row, field.record));
    return shown;
}

TEST(SignallingFields, NewDataShowsTheDefaults)
{
    NewImage t;
    using Shown = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(shownFields("dtmf", t.image), (Shown{{"dtmf.speed", "6"},
                                                   {"dtmf.first-digit-delay", "200"},
                                                   {"dtmf.first-digit-time", "0"},
                                                   {"dtmf.star-hash-digit-time", "0"},
                                                   {"dtmf.remote-without-qt", "On"}}));
    EXPECT_EQ(shownFields("nxdn", t.image), (Shown{{"nxdn.unit-id", ""},
                                                   {"nxdn.over-the-air-alias", "Off"},
                                                   {"nxdn.unit-name", ""},
                                                   {"nxdn.encryption", "T1364"},
                                                   {"nxdn.low-cut", "Off"},
                                                   {"nxdn.audio-filter", "T1371"},
                                                   {"nxdn.noise-suppressor", "On"}}));
}

enum class Act { Type, Up, Down };

struct EntryCase {
    const char* key;
    std::vector<std::pair<std::size_t, uint8_t>> before;
    Act act;
    std::string text;
    std::size_t offset;
    std::vector<uint8_t> bytes; // expected from offset
    std::string shown;
};

TEST(SignallingFields, EnteredValuesAreStoredAndShownAsTheFormDoes)
{
    const std::vector<EntryCase> cases{
        {"dtmf.first-digit-delay", {}, Act::Type, "75", kFirstDigitDelay, {50, 0}, "50"},
        {"dtmf.first-digit-delay", {}, Act::Type, "1234", kFirstDigitDelay, {0xE8, 0x03}, "1000"},
        {"dtmf.first-digit-delay", {}, Act::Type, "", kFirstDigitDelay, {0, 0}, "0"},
        {"dtmf.first-digit-delay",
         {{kFirstDigitDelay, 0xE8}, {kFirstDigitDelay + 1, 0x03}},
         Act::Up,
         "",
         kFirstDigitDelay,
         {0, 0},
         "0"},
        {"dtmf.first-digit-delay",
         {{kFirstDigitDelay, 0}, {kFirstDigitDelay + 1, 0}},
         Act::Down,
         "",
         kFirstDigitDelay,
         {0xE8, 0x03},
         "1000"},
        {"dtmf.speed", {}, Act::Type, "15", kDtmfSpeed, {15}, "15"},
        {"dtmf.first-digit-time", {}, Act::Type, "500", kFirstDigitTime, {0xF4, 0x01}, "500"},
        {"dtmf.star-hash-digit-time", {}, Act::Type, "1000", kStarHashDigitTime, {0xE8, 0x03}, "1000"},
        {"dtmf.remote-without-qt", {}, Act::Type, "Off", kRemoteWithoutQt, {0x00}, "Off"},
        {"nxdn.unit-id", {}, Act::Type, "", kNxdnUnitId, {0xFF, 0xFF}, ""},
        {"nxdn.unit-id", {}, Act::Type, "0", kNxdnUnitId, {1, 0}, "1"},
        {"nxdn.unit-id", {}, Act::Type, "99999", kNxdnUnitId, {0xEF, 0xFF}, "65519"},
        {"nxdn.unit-id", {}, Act::Up, "", kNxdnUnitId, {1, 0}, "1"},
        {"nxdn.unit-id", {}, Act::Down, "", kNxdnUnitId, {0xEF, 0xFF}, "65519"},
        {"nxdn.unit-name",
         {},
         Act::Type,
         "AB  ",
         kNxdnUnitName,
         {'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF},
         "AB"},
        {"nxdn.unit-name",
         {},
         Act::Type,
         "Site-7 Relay A",
         kNxdnUnitName,
         {'S', 'i', 't', 'e', '-', '7', ' ', 'R', 'e', 'l', 'a', 'y', ' ', 'A', 0xFF},
         "Site-7 Relay A"},
        {"nxdn.unit-name",
         {{kNxdnUnitName, 'X'}},
         Act::Type,
         "   ",
         kNxdnUnitName,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         ""},
        {"nxdn.noise-suppressor",
         {{kNxdnAudioOptions, 0xFF}},
         Act::Type,
         "Off",
         kNxdnAudioOptions,
         {0xFE},
         "Off"},
        {"nxdn.low-cut", {}, Act::Type, "On", kNxdnLowCut, {0x30}, "On"},
        {"nxdn.audio-filter", {}, Act::Type, "T1372", kNxdnAudioFilter, {0x31}, "T1372"},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " <- \"" + c.text + "\"");
        NewImage t;
        for (const auto& [offset, value] : c.before)
            t.image.main()[offset] = value;
        const std::string formKey = std::string(c.key).substr(0, std::string(c.key).find('.'));
        const DeclaredForm* form = findDeclaredForm(formKey);
        const auto session = form->open(t.image, testEnv());
        fields::FieldEngine& engine = session->engine();
        const auto field = findField(*form, engine, c.key);
        ASSERT_TRUE(field);
        fields::EditResult result;
        if (c.act == Act::Type) {
            const auto typed = typedText(engine, *field, c.text);
            ASSERT_TRUE(typed);
            result = enterFieldText(engine, *field, *typed);
        } else {
            result = engine.spin(*field->row, 0, c.act == Act::Up ? 1 : -1);
        }
        EXPECT_FALSE(result.refused);
        const auto main = t.image.main();
        EXPECT_EQ(std::vector<uint8_t>(main.begin() + static_cast<std::ptrdiff_t>(c.offset),
                                       main.begin() + static_cast<std::ptrdiff_t>(c.offset + c.bytes.size())),
                  c.bytes);
        EXPECT_EQ(engine.shown(*field->row, 0), c.shown);
    }
}

// A list shows no value for a stored byte that is none of its entries (erased memory), and
// set refuses what the form would not take.
TEST(SignallingFields, UnlistedValuesShowNothingAndRefusedTextsStoreNothing)
{
    NewImage t;
    t.image.main()[kDtmfSpeed] = 0xFF;
    setU16(t.image.main(), kFirstDigitTime, 0xFFFF);
    t.image.main()[kNxdnEncryption] = 0x31;
    t.image.main()[kNxdnAudioFilter] = 0x00;
    for (const auto& [key, shown] : shownFields("dtmf", t.image)) {
        if (key == "dtmf.speed" || key == "dtmf.first-digit-time") {
            EXPECT_EQ(shown, "") << key;
        }
    }
    for (const auto& [key, shown] : shownFields("nxdn", t.image)) {
        if (key == "nxdn.encryption" || key == "nxdn.audio-filter") {
            EXPECT_EQ(shown, "") << key;
        }
    }

    const DeclaredForm* form = findDeclaredForm("nxdn");
    const auto session = form->open(t.image, testEnv());
    const auto name = findField(*form, session->engine(), "nxdn.unit-name");
    ASSERT_TRUE(name);
    EXPECT_FALSE(typedText(session->engine(), *name, "Caf\xC3\xA9"));
    EXPECT_TRUE(session->engine().commitText(*name->row, 0, "Caf\xC3\xA9").refused);
    EXPECT_EQ(t.image.main()[kNxdnUnitName], 0x00);
}

} // namespace
} // namespace rps
