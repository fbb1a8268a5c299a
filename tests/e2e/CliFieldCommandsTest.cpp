// rps360t-cli show and set: fields by key on real data files, through the forms' rules.
#include "CliRun.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include "model/DataFileFormat.h"
#include "texts/LanguageTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace rps;
using rps::test::CliRun;
using rps::test::readBytes;
using rps::test::TempFolder;

namespace {

std::string englishText(int number)
{
    static LanguageTable table = [] {
        LanguageTable t;
        t.loadFile(rps::test::kLanguageFile, "English");
        return t;
    }();
    return table.text(number);
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliFieldCommands : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string path(const std::string& name) const { return folder.file(name); }
    // A new VHF configuration with no channels.
    std::string newFile(const std::string& name)
    {
        EXPECT_EQ(cli("new --model-code 0x0400 -o " + path(name)).exitCode, 0);
        return path(name);
    }
    // The value column of one field as show prints it.
    std::string shownValue(const std::string& file, const std::string& key)
    {
        const CliRun run = cli("show " + file + " --json " + key);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        const std::string marker = "\"value\": \"";
        const auto start = run.output.find(marker);
        if (start == std::string::npos)
            return "<none>";
        const auto end = run.output.find('"', start + marker.size());
        return run.output.substr(start + marker.size(), end - start - marker.size());
    }

    TempFolder folder;
};

TEST_F(CliFieldCommands, ShowOfTheDemonstrationConfigurationMatchesItsGoldenFile)
{
    const std::string demo = std::string(rps::test::kSourceDir) + "/demo/demo.dat";
    const std::string golden = std::string(rps::test::kSourceDir) + "/tests/e2e/golden/demo-show.txt";
    const CliRun run = cli("show " + demo);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    if (std::getenv("RPS_UPDATE_GOLDEN")) {
        std::ofstream(golden) << run.output;
        GTEST_SKIP() << "golden file written";
    }
    EXPECT_EQ(run.output, readText(golden));
}

TEST_F(CliFieldCommands, ShowAsJsonOfTheDemonstrationConfigurationMatchesItsGoldenFile)
{
    const std::string demo = std::string(rps::test::kSourceDir) + "/demo/demo.dat";
    const std::string golden = std::string(rps::test::kSourceDir) + "/tests/e2e/golden/demo-show.json";
    const CliRun run = cli("show --json " + demo);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output, readText(golden));
    const CliRun one = cli("show --json " + demo + " features.tot");
    EXPECT_EQ(one.output, "[\n  {\"key\": \"features.tot\", \"caption\": \"Time Out Timer [s]\", \"value\": "
                          "\"5.0\", \"enabled\": true}\n]\n");
    const CliRun none = cli("show --json " + demo + " channel.31");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.output, "[]\n");
}

TEST_F(CliFieldCommands, AnEmptiedDecodeCodeTakesThePfKeyAssignmentAlong)
{
    const std::string demo = path("demo.dat");
    std::filesystem::copy_file(std::string(rps::test::kSourceDir) + "/demo/demo.dat", demo);
    const auto byteAt = [this](const std::string& file, std::size_t offset) {
        EXPECT_EQ(cli("export-raw " + file + " " + path("demo.bin")).exitCode, 0);
        std::ifstream in(path("demo.bin"), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(offset));
        return in.get();
    };
    ASSERT_EQ(byteAt(demo, 0x0690), 0x01) << "PF key 1 answers decode code 2";
    const CliRun run = cli("set " + demo + " encode-decode.decode.2.code=");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(byteAt(demo, 0x0690), 0xFF);
    EXPECT_EQ(byteAt(demo, 0x5B18), 0xFF);
    EXPECT_EQ(shownValue(demo, "encode-decode.decode.3.code"), "A0B");
}

TEST_F(CliFieldCommands, ADecodeCodeHeldByAPfKeyIsRefusedForAnotherWithTheOfferedCodes)
{
    const std::string demo = path("demo.dat");
    std::filesystem::copy_file(std::string(rps::test::kSourceDir) + "/demo/demo.dat", demo);
    ASSERT_EQ(shownValue(demo, "remote.key.1.activation"), englishText(1134) + " 2");
    const auto before = readBytes(demo);
    const CliRun run = cli("set " + demo + " \"remote.key.2.activation=" + englishText(1134) + " 2\"");
    EXPECT_EQ(run.exitCode, 1);
    const std::string decode = englishText(1134);
    // Decode 1 is the first fixed output's and decode 2 key 1's: key 2 keeps its own decode 3.
    EXPECT_NE(run.errors.find("is not one of the field's choices: \"" + englishText(849) + "\", \"" + decode +
                              " 3\""),
              std::string::npos)
        << run.errors;
    EXPECT_EQ(readBytes(demo), before);
    EXPECT_EQ(cli("set " + demo + " \"remote.key.2.activation=" + decode + " 3\"").exitCode, 0);
    EXPECT_EQ(shownValue(demo, "remote.key.2.activation"), decode + " 3");
}

TEST_F(CliFieldCommands, MorseTextsAndTheCwIdToneAsTheFormsTakeThem)
{
    const std::string file = newFile("a.dat");
    const auto before = readBytes(file);
    const CliRun doubled = cli("set " + file + " \"cw-message.3.text=CQ  DE\"");
    EXPECT_EQ(doubled.exitCode, 1);
    EXPECT_NE(doubled.errors.find(englishText(804)), std::string::npos) << doubled.errors;
    EXPECT_EQ(readBytes(file), before);

    const CliRun on =
        cli("set " + file +
            " channel.2.rx-frequency=150 channel.2.tx-frequency=151 channel.2.cw-id=" + englishText(857));
    ASSERT_EQ(on.exitCode, 0) << on.errors;
    const CliRun tone = cli("set " + file + " cwid.2.audio-frequency=950");
    EXPECT_EQ(tone.exitCode, 0) << tone.errors;
    EXPECT_NE(tone.errors.find("cwid.2.audio-frequency: " + englishText(817)), std::string::npos)
        << tone.errors;
    EXPECT_EQ(shownValue(file, "cwid.2.audio-frequency"), "900");
}

TEST_F(CliFieldCommands, TypedOutOfBandFrequencyIsClampedWithTheWarningOnStandardError)
{
    const std::string file = newFile("a.dat");
    const CliRun run = cli("set " + file + " channel.4.rx-frequency=300 -o " + path("b.dat"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.errors.find("channel.4.rx-frequency: " + englishText(786)), std::string::npos)
        << run.errors;
    EXPECT_EQ(shownValue(path("b.dat"), "channel.4.rx-frequency"), "174.000000");
    EXPECT_EQ(shownValue(path("b.dat"), "channel.4.name"), " 4");
}

TEST_F(CliFieldCommands, TypedDqtIsCompletedAndCopiedToTheEncodeCode)
{
    const std::string file = newFile("a.dat");
    const std::string analog = englishText(922);
    const CliRun run =
        cli("set " + file +
            " channel.1.rx-frequency=150 channel.1.tx-frequency=151 \"channel.1.channel-type=" + analog +
            "\" channel.1.qt-decode=D23");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(shownValue(file, "channel.1.qt-decode"), "D230N");
    EXPECT_EQ(shownValue(file, "channel.1.qt-encode"), "D230N");
}

TEST_F(CliFieldCommands, NumbersAreTakenAsTheFieldsFilterLetsThemBeTyped)
{
    const std::string file = newFile("a.dat");
    // Either decimal separator, as on the form.
    const CliRun run = cli("set " + file + " scan.priority=" + englishText(861) + " scan.look-back-a=1,27");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(shownValue(file, "scan.look-back-a"), "1.2");
    // A character the field does not take is named, not dropped or misread.
    const auto before = readBytes(file);
    const CliRun negative = cli("set " + file + " advanced.tuning.3.first=-5");
    EXPECT_EQ(negative.exitCode, 1);
    EXPECT_NE(negative.errors.find("\"-5\" has characters this field does not take"), std::string::npos)
        << negative.errors;
    EXPECT_EQ(readBytes(file), before);
    // The off text is taken in any letter case, also where off is not below the range.
    ASSERT_EQ(cli("set " + file + " features.courtesy-tone=" + englishText(857)).exitCode, 0);
    std::string off = englishText(854);
    std::transform(off.begin(), off.end(), off.begin(), [](unsigned char c) { return std::tolower(c); });
    const CliRun offRun = cli("set " + file + " features.courtesy-tone-period=" + off);
    ASSERT_EQ(offRun.exitCode, 0) << offRun.errors;
    EXPECT_EQ(shownValue(file, "features.courtesy-tone-period"), englishText(854));
}

TEST_F(CliFieldCommands, PortModesCarryTheirGroupAlongAndThePortRowsFollow)
{
    const std::string file = newFile("a.dat");
    const std::string group = englishText(1069);
    CliRun run = cli("set " + file + " \"port.1.mode=" + group + "\"");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (const char* port : {"port.2.mode", "port.3.mode", "port.4.mode"})
        EXPECT_EQ(shownValue(file, port), group) << port;
    // A port of the group cannot take a mode of its own, and nothing is saved.
    run = cli("set " + file + " \"port.3.mode=" + englishText(1067) +
              "\" \"port.1.mode=" + englishText(1066) + "\"");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(shownValue(file, "port.1.mode"), group);
}

TEST_F(CliFieldCommands, RepeatHoldTimerSetToZeroTakesItsFunctionsOutOfTheStartUpActions)
{
    const std::string file = newFile("a.dat");
    // Name texts of the repeat hold functions 0x3135 and 0x3035.
    const CliRun first =
        cli("set " + file + " features.repeat-hold-timer=2.0 \"features.start-up.1=" + englishText(1246) +
            "\" \"features.start-up.2=" + englishText(1247) + "\"");
    ASSERT_EQ(first.exitCode, 0) << first.errors;
    ASSERT_EQ(shownValue(file, "features.start-up.2"), englishText(1247));

    const CliRun run = cli("set " + file + " features.repeat-hold-timer=0");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(shownValue(file, "features.repeat-hold-timer"), englishText(854));
    EXPECT_EQ(shownValue(file, "features.start-up.1"), "");
    EXPECT_EQ(shownValue(file, "features.start-up.2"), "");
    // With the TOT off its pre-alert cannot be set, and nothing is saved.
    const auto before = readBytes(file);
    const CliRun refused = cli("set " + file + " features.tot=0 features.tot-pre-alert=5");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.errors.find("features.tot-pre-alert"), std::string::npos) << refused.errors;
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(CliFieldCommands, LeavingPriorityScanTakesBackTheRevertToThePriorityChannel)
{
    const std::string file = newFile("a.dat");
    const CliRun run =
        cli("set " + file + " \"scan.priority=" + englishText(861) +
            "\" \"scan.revert-channel=" + englishText(866) + "\" \"scan.priority=" + englishText(862) + "\"");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(shownValue(file, "scan.revert-channel"), englishText(867));
}

TEST_F(CliFieldCommands, APriorityChannelThatIsNotProgrammedFailsWith799AndSavesNothing)
{
    const std::string file = newFile("a.dat");
    const std::vector<uint8_t> before = readBytes(file);
    const CliRun run =
        cli("set " + file + " \"scan.priority=" + englishText(861) + "\" scan.priority-channel=31");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("scan.priority-channel: " + englishText(799)), std::string::npos) << run.errors;
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(CliFieldCommands, AUhfTuningCellIsClampedAndFillsTheSecondFrequency)
{
    EXPECT_EQ(cli("new --model-code 0x0600 -o " + path("u.dat")).exitCode, 0);
    const CliRun run = cli("set " + path("u.dat") + " advanced.tuning.2.first=300");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("advanced.tuning.2.first: " + englishText(786)), std::string::npos)
        << run.errors;
    EXPECT_EQ(shownValue(path("u.dat"), "advanced.tuning.2.first"), "450.000000");
}

TEST_F(CliFieldCommands, AnyFailureSavesNothing)
{
    const std::string file = newFile("a.dat");
    const auto before = readBytes(file);
    struct Failure {
        std::string assignments;
        std::string message;
    };
    const Failure failures[] = {
        {"channel.1.rx-frequency=150 channel.2.tx-frequency=150", "channel.2.tx-frequency: "},
        {"channel.1.rx-frequency=150 channel.1.channel-type=Digital-ish",
         "is not one of the field's choices: \"" + englishText(922) + "\", \"" + englishText(923) + "\""},
        {"channel.1.rx-frequency=150 channel.31.rx-frequency=150",
         "unknown field key \"channel.31.rx-frequency\""},
        {"channel.1.rx-frequency=150 nothing.1.x=1", "unknown field key"},
    };
    for (const Failure& failure : failures) {
        const CliRun run = cli("set " + file + " " + failure.assignments);
        EXPECT_EQ(run.exitCode, 1) << failure.assignments;
        EXPECT_NE(run.errors.find(failure.message), std::string::npos) << run.errors;
        EXPECT_EQ(readBytes(file), before) << failure.assignments;
    }
    EXPECT_EQ(cli("set " + file + " channel.1.rx-frequency").exitCode, 2);
}

TEST_F(CliFieldCommands, ShowOutputGoesBackIntoSet)
{
    const std::string file = newFile("a.dat");
    ASSERT_EQ(cli("set " + file + " channel.1.rx-frequency=150 channel.1.operation-mode=" + englishText(891))
                  .exitCode,
              1); // RX without TX forces the mode: the field cannot be edited
    ASSERT_EQ(cli("set " + file + " channel.1.rx-frequency=150 channel.1.tx-frequency=155").exitCode, 0);
    const std::string mode = shownValue(file, "channel.1.operation-mode");
    const std::string lower = [&] {
        std::string s = englishText(890);
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }();
    ASSERT_EQ(cli("set " + file + " \"channel.1.operation-mode=" + lower + "\"").exitCode, 0);
    EXPECT_EQ(shownValue(file, "channel.1.operation-mode"), englishText(890));
    ASSERT_EQ(cli("set " + file + " \"channel.1.operation-mode=" + mode + "\"").exitCode, 0);
    EXPECT_EQ(shownValue(file, "channel.1.operation-mode"), mode);
}

// A value stored other than typed is named on standard error; the same value spelt another
// way says nothing.
TEST_F(CliFieldCommands, AValueStoredDifferentlyFromWhatWasTypedIsNamed)
{
    const std::string file = newFile("a.dat");
    const std::string analog = englishText(922);
    ASSERT_EQ(cli("set " + file + " channel.2.rx-frequency=150 channel.4.rx-frequency=150 " +
                  "channel.4.tx-frequency=151 \"channel.4.channel-type=" + analog + "\"")
                  .exitCode,
              0);
    struct Case {
        std::string assignment;
        std::string line; // empty: nothing said
    };
    const Case cases[] = {
        {"features.tot=60", "features.tot: \"60\" stored as \"30.0\" (range 0.5 to 30.0)"},
        {"features.tot=10.2", "features.tot: \"10.2\" stored as \"10.0\" (step 0.5)"},
        {"features.tot=0", "features.tot: \"0\" stored as \"" + englishText(849) + "\""},
        {"features.tot=10", ""},
        {"channel.4.qt-encode=inf", "channel.4.qt-encode: \"inf\" stored as \"254.1\""},
        {"channel.4.qt-encode=1e3", "channel.4.qt-encode: \"1e3\" stored as \"67.0\""},
        {"channel.4.qt-encode=67", ""},
        {"channel.4.qt-decode=D23", ""},
        {"channel.2.name=nan", "channel.2.name: \"nan\" stored as \"nA\" (at most 2 characters)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        const CliRun run = cli("set " + file + " " + c.assignment + " -o " + path("b.dat"));
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        if (c.line.empty())
            EXPECT_EQ(run.errors, "");
        else
            EXPECT_EQ(run.errors.rfind(c.line, 0), 0u) << run.errors;
    }

    // --strict refuses such a value and leaves the file as it was; an exact value passes.
    const auto before = readBytes(file);
    const CliRun strict = cli("set " + file + " --strict features.tot=60");
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_NE(strict.errors.find("stored as \"30.0\""), std::string::npos) << strict.errors;
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(cli("set " + file + " --strict features.tot=10").exitCode, 0);
}

// Names and RAN codes go through their field's character filter as typed characters do.
TEST_F(CliFieldCommands, TextsPassTheFieldsCharacterFilter)
{
    const std::string file = newFile("a.dat");
    ASSERT_EQ(cli("set " + file + " channel.1.rx-frequency=150 channel.3.rx-frequency=150").exitCode, 0);
    const auto before = readBytes(file);
    for (const char* refused : {"channel.1.name=x", "channel.1.name=K1", "channel.3.ran-decode=abc"}) {
        SCOPED_TRACE(refused);
        const CliRun run = cli("set " + file + " " + refused);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.errors.find("has characters this field does not take"), std::string::npos)
            << run.errors;
        EXPECT_EQ(readBytes(file), before);
    }
    // The display shows a lower-case b: the filter types it so, and that is no difference.
    const CliRun lowered = cli("set " + file + " channel.1.name=Bd channel.3.ran-decode=12");
    ASSERT_EQ(lowered.exitCode, 0) << lowered.errors;
    EXPECT_EQ(lowered.errors, "");
    EXPECT_EQ(shownValue(file, "channel.1.name"), "bd");
    EXPECT_EQ(shownValue(file, "channel.3.ran-decode"), "12");
}

TEST_F(CliFieldCommands, APrefixEndsAtAKeyPartUnlessNoKeyHasThatPart)
{
    const std::string file = newFile("a.dat");
    ASSERT_EQ(cli("set " + file + " channel.1.rx-frequency=150 channel.3.rx-frequency=150 " +
                  "channel.10.rx-frequency=150 channel.12.rx-frequency=150")
                  .exitCode,
              0);
    const CliRun one = cli("show " + file + " channel.1");
    ASSERT_EQ(one.exitCode, 0) << one.errors;
    EXPECT_NE(one.output.find("channel.1.rx-frequency "), std::string::npos);
    EXPECT_EQ(one.output.find("channel.1"), 0u);
    EXPECT_EQ(one.output.find("channel.10"), std::string::npos) << one.output;
    EXPECT_EQ(one.output.find("channel.12"), std::string::npos) << one.output;

    const CliRun part = cli("show " + file + " channel.3.rx");
    ASSERT_EQ(part.exitCode, 0) << part.errors;
    EXPECT_EQ(part.output.rfind("channel.3.rx-frequency ", 0), 0u) << part.output;
    EXPECT_EQ(part.output.find("channel.3.tx"), std::string::npos) << part.output;
}

// set saves as the file was saved: a file without scrambling stays unscrambled, and a symbolic
// link whose target does not exist yet makes the target.
TEST_F(CliFieldCommands, SetSavesLikeTheFileAndThroughALink)
{
    ASSERT_EQ(cli("new --plain --model-code 0x0400 -o " + path("plain.dat")).exitCode, 0);
    ASSERT_EQ(readBytes(path("plain.dat"))[kDataFileKeyOffset], 0);
    ASSERT_EQ(cli("set " + path("plain.dat") + " features.tot=10").exitCode, 0);
    EXPECT_EQ(readBytes(path("plain.dat"))[kDataFileKeyOffset], 0);
    EXPECT_EQ(shownValue(path("plain.dat"), "features.tot"), "10.0");

    std::filesystem::create_directory(path("real"));
    std::filesystem::create_symlink(path("real/target.dat"), path("link.dat"));
    const CliRun run = cli("set " + path("plain.dat") + " features.tot=5 -o " + path("link.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.dat")));
    EXPECT_EQ(shownValue(path("real/target.dat"), "features.tot"), "5.0");
}

TEST_F(CliFieldCommands, ATestReceiveFrequencyFillsBothColumnsAndMessagesTakePrintableAscii)
{
    const std::string file = newFile("a.dat");
    // New data holds the band's test frequencies: record 2 is emptied (by its transmit column) first.
    ASSERT_EQ(cli("set " + file + " test-frequency.2.tx=").exitCode, 0);
    EXPECT_EQ(shownValue(file, "test-frequency.2.rx"), "");
    const CliRun run = cli("set " + file + " test-frequency.2.rx=151.5 \"message.line-1=Bench 4, Dock 2\"");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(shownValue(file, "test-frequency.2.rx"), "151.500000");
    EXPECT_EQ(shownValue(file, "test-frequency.2.tx"), "151.500000");
    EXPECT_EQ(shownValue(file, "message.line-1"), "Bench 4, Dock 2");

    // The message password is no field: show never prints it.
    const CliRun shown = cli("show " + file + " protected-message");
    ASSERT_EQ(shown.exitCode, 0) << shown.errors;
    EXPECT_NE(shown.output.find("protected-message.line-2"), std::string::npos) << shown.output;
    EXPECT_EQ(shown.output.find("password"), std::string::npos) << shown.output;
}

TEST_F(CliFieldCommands, HelpDocumentsTheKeys)
{
    const CliRun run = cli("show --help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("FORM[.RECORD].FIELD"), std::string::npos);
    EXPECT_NE(run.output.find("channel.3.rx-frequency"), std::string::npos);
}

TEST_F(CliFieldCommands, ATakenUserIdFailsNamingItsHolderAndSavesNothing)
{
    const std::string file = newFile("users.dat");
    ASSERT_EQ(cli("set " + file + " user-list.1.5.id=23 user-list.2.6.id=23").exitCode, 0);
    EXPECT_EQ(shownValue(file, "user-list.1.5.choice"), englishText(855));
    const auto before = readBytes(file);
    const CliRun refused = cli("set " + file + " user-list.1.6.id=23");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.errors.find("user-list.1.5"), std::string::npos) << refused.errors;
    EXPECT_NE(refused.errors.find(englishText(816)), std::string::npos) << refused.errors;
    EXPECT_EQ(readBytes(file), before);
    // show lists every record of a list, used or not, under its prefix.
    const CliRun listed = cli("show " + file + " user-list.2");
    EXPECT_EQ(std::count(listed.output.begin(), listed.output.end(), '\n'), 2000);
}

} // namespace
