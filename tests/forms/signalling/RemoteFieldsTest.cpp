// The remote-control form's fields over a new image: which rows and cells exist and take which
// codes as the key and port assignments say, the code lists, and the rules that reset entries
// where a function or the input level changes and when an image is loaded, never when shown.
#include "forms/signalling/RemoteFields.h"
#include "forms/FieldForms.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/FeatureMap.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"
#include "model/SignallingMap.h"

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;

namespace {

std::string texts(int n)
{
    switch (n) {
    case 849:
        return "Off";
    case 1133:
        return "Encode";
    case 1134:
        return "Decode";
    case 1135:
        return "Momentary";
    default:
        return std::to_string(n);
    }
}

using Labels = std::vector<std::string>;

class RemoteFieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        // Keys 1..3 have functions the remote control takes; 4..6 none.
        for (int k = 0; k < 3; ++k)
            setU16(image.main(), feature::kKeyFunctions + 8 * static_cast<std::size_t>(k), 0x3030);
        for (int r = 0; r < 4; ++r) {
            at(kDecodeTable + kCodeRecordSize * static_cast<std::size_t>(r)) = '1';
            at(kEncodeTable + kCodeRecordSize * static_cast<std::size_t>(r)) = '2';
        }
    }
    std::unique_ptr<FieldFormSession> open(std::string_view form)
    {
        return findDeclaredForm(form)->open(image, FieldEnv{texts, {}, '.'});
    }
    std::optional<FieldEntry> find(FieldEngine& engine, std::string_view key)
    {
        return findField(*findDeclaredForm(key.substr(0, key.find('.'))), engine, key);
    }
    std::string shown(std::string_view key)
    {
        auto session = open("remote");
        const auto field = find(session->engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? session->engine().shown(*field->row, field->record) : std::string();
    }
    Labels offered(std::string_view key)
    {
        auto session = open("remote");
        const auto field = find(session->engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? session->engine().choiceLabels(*field->row, field->record) : Labels{};
    }
    bool editable(std::string_view key)
    {
        auto session = open("remote");
        const auto field = find(session->engine(), key);
        return field && session->engine().enabled(*field->row, field->record);
    }
    EditResult enter(std::string_view key, std::string_view text)
    {
        auto session = open(key.substr(0, key.find('.')));
        const auto field = find(session->engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? enterFieldText(session->engine(), *field, text) : EditResult{true};
    }
    bool hasKey(std::string_view key)
    {
        auto session = open("remote");
        return find(session->engine(), key).has_value();
    }
    uint8_t& at(std::size_t offset) { return image.main()[offset]; }
    void setEntry(std::size_t entry, uint8_t on, uint8_t off, uint8_t type)
    {
        at(entry) = on;
        at(entry + 1) = off;
        at(entry + 2) = type;
    }
    std::vector<uint8_t> entry(std::size_t offset) { return {at(offset), at(offset + 1), at(offset + 2)}; }

    ConfigImage image;
};

const std::vector<uint8_t> kReset{0xFF, 0xFF, 0x00};

TEST_F(RemoteFieldsTest, WithNoCodesEveryListOffersOnlyNone)
{
    for (int r = 0; r < 4; ++r) {
        at(kDecodeTable + kCodeRecordSize * static_cast<std::size_t>(r)) = kNoCode;
        at(kEncodeTable + kCodeRecordSize * static_cast<std::size_t>(r)) = kNoCode;
    }
    for (const char* key : {"remote.key.1.activation", "remote.fixed-input.1.deactivation",
                            "remote.fixed-output.2.activation", "remote.aux-transponder-activation"})
        EXPECT_EQ(offered(key), Labels{"Off"}) << key;
}

TEST_F(RemoteFieldsTest, ADecodeCodeIsOfferedToOneCellOnly)
{
    // Fixed input 1 has a function (decode codes), fixed output 1 none (decode codes).
    setU16(image.main(), feature::kFixedInputFunctions, 0x3030);
    ASSERT_FALSE(enter("remote.key.1.activation", "Decode 3").refused);
    EXPECT_EQ(at(feature::kRemoteKeys), 2);
    const Labels others{"Off", "Decode 1", "Decode 2", "Decode 4"};
    EXPECT_EQ(offered("remote.key.2.activation"), others);
    EXPECT_EQ(offered("remote.key.1.deactivation"), others);
    EXPECT_EQ(offered("remote.fixed-input.1.activation"), others);
    EXPECT_EQ(offered("remote.fixed-output.1.deactivation"), others);
    // The cell's own code stays in its list; the transponders take encode codes.
    EXPECT_EQ(offered("remote.key.1.activation"),
              (Labels{"Off", "Decode 1", "Decode 2", "Decode 3", "Decode 4"}));
    EXPECT_EQ(offered("remote.key-transponder-activation"),
              (Labels{"Off", "Encode 1", "Encode 2", "Encode 3", "Encode 4"}));
    EXPECT_TRUE(enter("remote.key.2.activation", "Decode 3").refused);
    EXPECT_EQ(at(feature::kRemoteKeys + 3), 0xFF);
}

TEST_F(RemoteFieldsTest, RowsAndCodeKindsFollowTheAssignments)
{
    EXPECT_FALSE(editable("remote.key.4.activation"));        // no function
    setU16(image.main(), feature::kKeyFunctions + 8, 0x3133); // an excluded function
    EXPECT_FALSE(editable("remote.key.2.activation"));
    setU16(image.main(), feature::kKeyFunctions + 16, 0x3131); // one shot: no deactivation
    EXPECT_TRUE(editable("remote.key.3.activation"));
    EXPECT_FALSE(editable("remote.key.3.deactivation"));
    EXPECT_EQ(offered("remote.key.3.type"), (Labels{"Off", "Momentary"}));
    // An input without a function sends encode codes and has no type; an output without one
    // is switched by decode codes and has no type or level.
    EXPECT_EQ(offered("remote.fixed-input.2.activation")[1], "Encode 1");
    EXPECT_FALSE(editable("remote.fixed-input.2.type"));
    EXPECT_EQ(offered("remote.fixed-output.2.activation")[1], "Decode 1");
    EXPECT_FALSE(editable("remote.fixed-output.2.output-level"));
    at(feature::kFixedOutputs + 8) = 0x30;
    EXPECT_EQ(offered("remote.fixed-output.2.activation")[1], "Encode 1");
    EXPECT_TRUE(editable("remote.fixed-output.2.output-level"));
    ASSERT_FALSE(enter("remote.fixed-output.2.output-level", "1094").refused);
    EXPECT_EQ(at(feature::kFixedOutputs + 9), 0x00);
}

TEST_F(RemoteFieldsTest, AKeyThatSelectsAChannelHasNoDeactivation)
{
    const auto deactivates = [this](uint16_t function) {
        setU16(image.main(), feature::kKeyFunctions, function);
        return editable("remote.key.1.deactivation");
    };
    EXPECT_TRUE(deactivates(0x3030));
    EXPECT_FALSE(deactivates(0x0121)) << "channel 1";
    EXPECT_FALSE(deactivates(0x2021)) << "channel 32";
    EXPECT_TRUE(editable("remote.key.1.activation"));
}

TEST_F(RemoteFieldsTest, AnInputsTypesNarrowForTwoFunctionsOnlyWhileTheInputLevelIsFF)
{
    const auto types = [this](uint16_t function, uint8_t level) {
        setU16(image.main(), feature::kFixedInputFunctions, function);
        at(feature::kInputLevel) = level;
        return offered("remote.fixed-input.1.type").size();
    };
    EXPECT_EQ(types(0x3126, 0xFF), 2u);
    EXPECT_EQ(types(0x3026, 0xFF), 2u);
    EXPECT_EQ(types(0x3030, 0xFF), 4u) << "another function keeps every type";
    EXPECT_EQ(types(0x3126, 0x00), 4u) << "with a level set";
}

TEST_F(RemoteFieldsTest, APortIsAnInputOrAnOutputRowAsItsModeSays)
{
    EXPECT_TRUE(hasKey("remote.port-input.2.activation"));
    EXPECT_FALSE(hasKey("remote.port-output.2.activation"));
    ASSERT_FALSE(enter("port.2.mode", "1067").refused); // output
    EXPECT_FALSE(hasKey("remote.port-input.2.activation"));
    EXPECT_TRUE(hasKey("remote.port-output.2.output-level"));
    at(feature::kPortModes + 2) = 2; // a run port is neither
    EXPECT_FALSE(hasKey("remote.port-input.3.type"));
    EXPECT_FALSE(hasKey("remote.port-output.3.type"));
}

TEST_F(RemoteFieldsTest, SingleToneDisablesTheTransponderListsAndKeepsTheirCodes)
{
    ASSERT_FALSE(enter("remote.aux-transponder-activation", "Encode 2").refused);
    EXPECT_TRUE(editable("remote.aux-transponder-activation"));
    ASSERT_FALSE(enter("remote.aux-transponder-single-tone", "857").refused);
    EXPECT_EQ(at(0x06F6), 0x00);
    EXPECT_FALSE(editable("remote.aux-transponder-activation"));
    EXPECT_FALSE(editable("remote.aux-transponder-deactivation"));
    EXPECT_TRUE(editable("remote.key-transponder-activation"));
    EXPECT_EQ(at(0x06F4), 0x81);
    // Single tone off again: the byte is 0xFF and the lists are offered with their codes.
    ASSERT_FALSE(enter("remote.aux-transponder-single-tone", "858").refused);
    EXPECT_EQ(at(0x06F6), 0xFF);
    EXPECT_TRUE(editable("remote.aux-transponder-activation"));
    EXPECT_EQ(at(0x06F4), 0x81);
}

TEST_F(RemoteFieldsTest, RemoteAccessWithQtIsTheOppositeOfTheDtmfForm)
{
    for (uint8_t stored : {0xFF, 0x00, 0x5A}) {
        at(kRemoteWithoutQt) = stored;
        auto dtmf = open("dtmf");
        const auto without = find(dtmf->engine(), "dtmf.remote-without-qt");
        auto remote = open("remote");
        const auto with = find(remote->engine(), "remote.remote-with-qt");
        EXPECT_NE(dtmf->engine().checked(*without->row, without->record),
                  remote->engine().checked(*with->row, with->record))
            << int(stored);
    }
}

TEST_F(RemoteFieldsTest, HostileBytesShowAndCountAsNone)
{
    setEntry(feature::kRemoteKeys, 0x50, 0xC0, 7);
    EXPECT_EQ(shown("remote.key.1.activation"), "Off");
    EXPECT_EQ(shown("remote.key.1.deactivation"), "Off");
    EXPECT_EQ(shown("remote.key.1.type"), "Off");
    setEntry(feature::kRemoteKeys + 3, 0x28, 0xA0, 4);
    EXPECT_EQ(offered("remote.key.3.activation").size(), 5u);
}

TEST_F(RemoteFieldsTest, ShowingNeverWritesButLoadingRepairs)
{
    // Key 4 has no function yet holds codes; fixed input 1 (no function: encode codes) holds a
    // decode code; fixed input 2's function takes no deactivation while the level is 0xFF.
    setEntry(feature::kRemoteKeys + 9, 1, 2, 1);
    setEntry(feature::kRemoteFixedInputs, 1, 0xFF, 0);
    setU16(image.main(), feature::kFixedInputFunctions + 8, 0x3025);
    at(feature::kInputLevel) = 0xFF;
    setEntry(feature::kRemoteFixedInputs + 3, 0, 3, 1);
    setEntry(feature::kRemoteKeys, 0x82, 0xFF, 1); // keys keep what they hold
    const std::vector<uint8_t> before(image.main().begin(), image.main().end());
    for (const char* key : {"remote.key.4.activation", "remote.fixed-input.1.activation"})
        (void)shown(key);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image.main().begin()));

    InstallationId none{};
    none.fill(0xFF);
    ASSERT_TRUE(checkLoadedImage(image, ImageSource::File, none).accepted);
    EXPECT_EQ(entry(feature::kRemoteKeys + 9), kReset);
    EXPECT_EQ(entry(feature::kRemoteFixedInputs), kReset);
    EXPECT_EQ(entry(feature::kRemoteFixedInputs + 3), (std::vector<uint8_t>{0, 0xFF, 1}));
    EXPECT_EQ(entry(feature::kRemoteKeys), (std::vector<uint8_t>{0x82, 0xFF, 1}));
}

TEST_F(RemoteFieldsTest, TheEditsThatChangeTheRulesApplyThem)
{
    // The input level: a function that loses its deactivation at level 0xFF.
    at(feature::kInputLevel) = 0x00;
    setU16(image.main(), feature::kFixedInputFunctions, 0x3025);
    setEntry(feature::kRemoteFixedInputs, 0, 1, 1);
    ASSERT_FALSE(enter("port.input-level", "1095").refused);
    ASSERT_EQ(at(feature::kInputLevel), 0xFF);
    EXPECT_EQ(entry(feature::kRemoteFixedInputs), (std::vector<uint8_t>{0, 0xFF, 1}));

    // A key that loses its function loses its entry.
    setEntry(feature::kRemoteKeys + 3, 2, 3, 1);
    auto keys = open("key");
    const auto function = find(keys->engine(), "key.2.function");
    ASSERT_TRUE(function);
    const std::string noFunction = keys->engine().choiceLabels(*function->row, function->record).front();
    ASSERT_FALSE(enterFieldText(keys->engine(), *function, noFunction).refused);
    ASSERT_EQ(getU16(image.main(), feature::kKeyFunctions + 8), 0x2020);
    EXPECT_EQ(entry(feature::kRemoteKeys + 3), kReset);
}

} // namespace
