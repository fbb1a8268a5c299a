// The key and function-port fields as the command-line tool and the forms enter them: by
// field key and shown text, through the forms' rules.
#include "FeatureTestImage.h"
#include "forms/FieldForms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rps;
using rps::test::FeatureTestImage;

namespace {

// Every language text reads as "T" and its number, so a function shows as its name text.
std::string name(int text)
{
    return "T" + std::to_string(text);
}

struct Form {
    Form(FeatureTestImage& t, std::string_view key)
        : form(findDeclaredForm(key)), session(form->open(t.image, {[](int n) { return name(n); }, {}, '.'}))
    {
    }
    fields::FieldEngine& engine() { return session->engine(); }
    FieldEntry field(std::string_view key)
    {
        auto found = findField(*form, engine(), key);
        EXPECT_TRUE(found.has_value()) << key;
        return found.value_or(FieldEntry{});
    }
    std::string shown(std::string_view key)
    {
        const FieldEntry f = field(key);
        return f.row ? engine().shown(*f.row, f.record) : std::string("<none>");
    }
    std::vector<std::string> offered(std::string_view key)
    {
        const FieldEntry f = field(key);
        return f.row ? engine().choiceLabels(*f.row, f.record) : std::vector<std::string>{};
    }
    fields::EditResult set(std::string_view key, std::string_view text)
    {
        const FieldEntry f = field(key);
        return f.row ? enterFieldText(engine(), f, text) : fields::EditResult{0, true};
    }
    const DeclaredForm* form;
    std::unique_ptr<FieldFormSession> session;
};

constexpr std::size_t kKey2 = 0x2C8;
constexpr std::size_t kKey2Remote = 0x693;

bool contains(const std::vector<std::string>& list, const std::string& entry)
{
    return std::find(list.begin(), list.end(), entry) != list.end();
}

} // namespace

TEST(KeyFields, AStoredFunctionShowsItsNameWhetherOfferedOrNot)
{
    FeatureTestImage t;
    t.image.main()[0x291] = 0; // repeat hold timer off: 0x3235 not offered
    t.setSlots(kKey2, {0x3035, 0x2020, 0x2020});
    Form keys(t, "key");
    EXPECT_EQ(keys.shown("key.2.function"), name(1247));
    EXPECT_FALSE(contains(keys.offered("key.2.function"), name(1247)));
    EXPECT_FALSE(contains(keys.offered("key.2.function"), name(1248)));
    // A code outside the function table shows nothing.
    t.setCode(kKey2, 0x7777);
    EXPECT_EQ(keys.shown("key.2.function"), "");
}

TEST(KeyFields, ChoosingAFunctionResetsTheKeysRemoteEntryOnlyWhenTheCodeChanges)
{
    struct Case {
        uint16_t stored;
        std::string chosen;
        bool refused;
        uint16_t expected;
        bool remoteReset;
    };
    const Case cases[] = {
        {0x3131, name(1231), false, 0x3131, false}, // the same function again
        {0x3131, "t1231", false, 0x3131, false},    // letter case ignored, still the same
        {0x3131, name(1279), false, 0x322A, true},  // another function
        {0x3131, name(1298), false, 0x2020, true},  // no function
        {0x3131, name(1247), true, 0x3131, false},  // 0x3035 is never offered on a key
        {0x3131, name(1248), true, 0x3131, false},  // 0x3235 not while the hold timer is 0
        {0x3131, "nonsense", true, 0x3131, false},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        t.image.main()[0x291] = 0;
        t.setSlots(kKey2, {c.stored, 0x3122, 0x2020});
        t.assignRemote(kKey2Remote);
        Form keys(t, "key");
        const fields::EditResult result = keys.set("key.2.function", c.chosen);
        EXPECT_EQ(result.refused, c.refused) << c.chosen;
        EXPECT_EQ(t.code(kKey2), c.expected) << c.chosen;
        EXPECT_EQ(t.remoteReset(kKey2Remote), c.remoteReset) << c.chosen;
        EXPECT_EQ(result.changed, c.remoteReset) << c.chosen;
        EXPECT_EQ(t.code(kKey2 + 2), c.expected == 0x2020 ? 0x2020 : 0x3122) << c.chosen;
    }
}

TEST(KeyFields, ADeletedChannelLeavesEveryKeyThatSelectedIt)
{
    FeatureTestImage t;
    t.programChannel(5);
    t.programChannel(6);
    Form keys(t, "key");
    ASSERT_FALSE(keys.set("key.1.function", name(1212)).refused); // channel 5
    ASSERT_FALSE(keys.set("key.4.function", name(1212)).refused);
    ASSERT_FALSE(keys.set("key.6.function", name(1213)).refused); // channel 6
    ASSERT_EQ(t.code(0x2C0), 0x0521);

    ChannelStore(t.image).remove(4);
    EXPECT_EQ(keys.shown("key.1.function"), name(1298));
    EXPECT_EQ(keys.shown("key.4.function"), name(1298));
    EXPECT_EQ(keys.shown("key.6.function"), name(1213));
    EXPECT_FALSE(contains(keys.offered("key.1.function"), name(1212)));
}

namespace {

using Modes = std::array<uint8_t, 6>;

void setModes(FeatureTestImage& t, const Modes& modes)
{
    std::copy(modes.begin(), modes.end(), t.main().begin() + 0x2A8);
}

Modes modes(FeatureTestImage& t)
{
    Modes m{};
    std::copy_n(t.main().begin() + 0x2A8, 6, m.begin());
    return m;
}

const std::string kInput = name(1066), kOutput = name(1067), kRun = name(1068), kGroup = name(1069);

} // namespace

TEST(PortFields, ModeChoicesAndTheirConsequences)
{
    struct Case {
        Modes before;
        int port;
        std::string mode;
        bool refused;
        Modes after;
    };
    const Case cases[] = {
        // Port 1 in mode 3 takes ports 2..4 along; back to mode 0 gives them mode 0.
        {{0, 1, 0, 1, 1, 1}, 1, kGroup, false, {3, 3, 3, 3, 1, 1}},
        {{3, 3, 3, 3, 1, 1}, 1, kInput, false, {0, 0, 0, 0, 1, 1}},
        // Ports following the group cannot be chosen on their own.
        {{3, 3, 3, 3, 1, 1}, 3, kOutput, true, {3, 3, 3, 3, 1, 1}},
        // The end of a mode-2 run can leave it; a port inside the run cannot.
        {{2, 2, 2, 0, 0, 0}, 3, kInput, false, {2, 2, 0, 0, 0, 0}},
        {{2, 2, 2, 0, 0, 0}, 3, kOutput, false, {2, 2, 1, 0, 0, 0}},
        {{2, 2, 2, 0, 0, 0}, 2, kInput, true, {2, 2, 2, 0, 0, 0}},
        {{2, 2, 0, 0, 0, 0}, 3, kRun, false, {2, 2, 2, 0, 0, 0}},
        {{2, 0, 0, 0, 0, 0}, 3, kRun, true, {2, 0, 0, 0, 0, 0}},
        {{0, 0, 0, 0, 0, 0}, 5, kRun, true, {0, 0, 0, 0, 0, 0}},
        {{0, 0, 0, 0, 0, 0}, 2, kGroup, true, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        FeatureTestImage t;
        setModes(t, c.before);
        Form ports(t, "port");
        const std::string key = "port." + std::to_string(c.port) + ".mode";
        EXPECT_EQ(ports.set(key, c.mode).refused, c.refused) << key << " = " << c.mode;
        EXPECT_EQ(modes(t), c.after) << key << " = " << c.mode;
    }
}

TEST(PortFields, AModeChangeResetsThePortsRemoteEntriesAndAStoredModeOutOfRangeShowsEmpty)
{
    FeatureTestImage t;
    setModes(t, {0, 0, 0, 0, 0, 7});
    t.assignRemote(0x6B9 + 3 * 1); // port 2 as input
    t.assignRemote(0x6E2 + 3 * 1); // port 2 as output
    Form ports(t, "port");
    EXPECT_EQ(ports.shown("port.6.mode"), "");
    EXPECT_EQ(ports.shown("port.2.mode"), kInput);
    ASSERT_FALSE(ports.set("port.2.mode", kOutput).refused);
    EXPECT_TRUE(t.remoteReset(0x6B9 + 3));
    EXPECT_TRUE(t.remoteReset(0x6E2 + 3));
}

TEST(PortFields, InputRowsFillFromTheFirstSlot)
{
    FeatureTestImage t;
    setModes(t, {1, 0, 1, 1, 1, 1});
    t.image.main()[0x2AF] = 0xFF; // input level set: the 0x32.. functions are offered
    t.setSlots(0x2F0, {0x3131, 0x322A, 0x3131});
    t.setSlots(0x310, {0x3131, 0x3131, 0x3131});
    t.assignRemote(0x6B0); // fixed input 1
    Form ports(t, "port");

    // Emptying slot 1 empties slots 2 and 3, and the input loses its remote entry.
    ASSERT_FALSE(ports.set("port.fixed-input.1.input.1", name(1298)).refused);
    EXPECT_EQ(t.slots(0x2F0), (std::array<uint16_t, 3>{0x2020, 0x2020, 0x2020}));
    EXPECT_TRUE(t.remoteReset(0x6B0));
    // A slot after an empty one takes nothing.
    EXPECT_TRUE(ports.set("port.fixed-input.1.input.2", name(1231)).refused);
    EXPECT_FALSE(ports.engine().enabled(*ports.field("port.fixed-input.1.input.2").row,
                                        ports.field("port.fixed-input.1.input.2").record));

    // Emptying slot 2 of port 2 leaves slot 1.
    ASSERT_FALSE(ports.set("port.2.input.2", name(1298)).refused);
    EXPECT_EQ(t.slots(0x310), (std::array<uint16_t, 3>{0x3131, 0x2020, 0x2020}));
    // Port 3 is an output: its input row takes nothing.
    EXPECT_TRUE(ports.set("port.3.input.1", name(1231)).refused);
    // 0x3035 is offered to the port only while the repeat hold timer runs.
    t.image.main()[0x291] = 0;
    EXPECT_TRUE(ports.set("port.2.input.1", name(1247)).refused);
    t.image.main()[0x291] = 10;
    EXPECT_FALSE(ports.set("port.2.input.1", name(1247)).refused);
    EXPECT_EQ(t.code(0x310), 0x3035);
}

TEST(PortFields, OutputsAndLevels)
{
    FeatureTestImage t;
    setModes(t, {0, 0, 0, 0, 1, 0});
    t.image.main()[0x500 + 16] = 0x20; // fixed output 3: no function
    t.image.main()[0x530 + 32] = 0x30; // port 5
    t.image.main()[0x531 + 32] = 0x05; // any level but 0 reads high
    t.image.main()[0x2AF] = 0x00;
    t.assignRemote(0x6D0 + 6);
    t.assignRemote(0x6E2 + 12);
    Form ports(t, "port");

    EXPECT_EQ(ports.shown("port.5.output-level"), name(1093));
    EXPECT_EQ(ports.shown("port.input-level"), name(1096));
    // No function: the level cannot be set.
    EXPECT_TRUE(ports.set("port.fixed-output.3.output-level", name(1094)).refused);
    // The same function keeps the remote entry; another resets it.
    ASSERT_FALSE(ports.set("port.5.output", name(1330)).refused);
    EXPECT_FALSE(t.remoteReset(0x6E2 + 12));
    ASSERT_FALSE(ports.set("port.5.output", name(1335)).refused);
    EXPECT_EQ(t.main()[0x530 + 32], 0x3C);
    EXPECT_TRUE(t.remoteReset(0x6E2 + 12));
    ASSERT_FALSE(ports.set("port.fixed-output.3.output", name(1331)).refused);
    EXPECT_TRUE(t.remoteReset(0x6D0 + 6));
    ASSERT_FALSE(ports.set("port.fixed-output.3.output-level", name(1094)).refused);
    EXPECT_EQ(t.main()[0x501 + 16], 0x00);
    ASSERT_FALSE(ports.set("port.input-level", name(1095)).refused);
    EXPECT_EQ(t.main()[0x2AF], 0xFF);

    // A port output driven by key makes its key function offered on the keys.
    Form keys(t, "key");
    EXPECT_TRUE(contains(keys.offered("key.1.function"), name(1206))); // 0x5B23: port 5
}

TEST(PortFields, EveryRecordIsNamedByWhatItIs)
{
    FeatureTestImage t;
    Form ports(t, "port");
    std::vector<std::string> keys;
    for (const FieldEntry& entry : listFields(*ports.form, ports.engine()))
        keys.push_back(entry.key);
    // Six modes, nine input rows of three slots, eleven outputs with levels, the input level.
    EXPECT_EQ(keys.size(), 6u + 9 * 3 + 11 * 2 + 1);
    for (const char* key : {"port.1.mode", "port.6.mode", "port.fixed-input.3.input.3", "port.4.input.1",
                            "port.fixed-output.5.output-level", "port.6.output", "port.input-level"})
        EXPECT_TRUE(contains(keys, key)) << key;
    EXPECT_FALSE(contains(keys, "port.fixed-input.4.input.1"));
}
