// The simulator's command line: every option keeps its meaning, in either spelling.
#include "sim/SimOptions.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <vector>

namespace rps::sim {
namespace {

ParsedOptions parse(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "rps360t-sim");
    return parseSimOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(SimOptions, EveryOptionKeepsItsMeaning)
{
    const ParsedOptions parsed = parse({"--link",
                                        "/tmp/x.tty",
                                        "--model-code=0x0700",
                                        "--image",
                                        "a.dat",
                                        "--unprogrammed",
                                        "--write-password",
                                        "ab12",
                                        "--message-password",
                                        "Q7",
                                        "--hunt-baud=19200",
                                        "--pace",
                                        "--dump",
                                        "d.bin",
                                        "--seed",
                                        "7",
                                        "--bad-checksum",
                                        "2",
                                        "--no-answer",
                                        "E",
                                        "--no-answer=0x44:3",
                                        "--nak",
                                        "P:2",
                                        "--noise",
                                        "5",
                                        "--slow-prepare",
                                        "8000",
                                        "--die-at-block",
                                        "40"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const SimProgramOptions& o = *parsed.options;
    EXPECT_EQ(o.linkPath, "/tmp/x.tty");
    EXPECT_EQ(o.modelCode, 0x0700);
    EXPECT_EQ(o.imagePath, "a.dat");
    EXPECT_TRUE(o.config.unprogrammed);
    ASSERT_TRUE(o.config.writePassword);
    EXPECT_EQ(std::string(o.config.writePassword->begin(), o.config.writePassword->end()), "ab12  ");
    // The message password is padded with 0x00 as the repeater holds it.
    EXPECT_EQ(o.config.messagePassword, (std::array<uint8_t, 6>{'Q', '7', 0, 0, 0, 0}));
    EXPECT_EQ(o.config.huntBaud, 19200u);
    EXPECT_TRUE(o.pace);
    EXPECT_EQ(o.dumpPath, "d.bin");
    EXPECT_EQ(o.config.seed, 7u);
    EXPECT_EQ(o.config.faults.badChecksums, 2);
    EXPECT_EQ(o.config.faults.silentCommands, (std::map<uint8_t, int>{{'E', -1}, {0x44, 3}}));
    EXPECT_EQ(o.config.faults.nakCommands, (std::map<uint8_t, int>{{'P', 2}}));
    EXPECT_EQ(o.config.faults.noiseBytes, 5);
    EXPECT_EQ(o.config.faults.prepareDelayMs, 8000);
    EXPECT_EQ(o.config.faults.dieAtBlock, 40);
    EXPECT_FALSE(o.help || o.version);

    const ParsedOptions defaults = parse({});
    ASSERT_TRUE(defaults.options);
    EXPECT_EQ(defaults.options->modelCode, 0x0400);
    EXPECT_FALSE(defaults.options->linkPath.empty());
    // A default image has no message password; an image of its own keeps what it holds.
    EXPECT_EQ(defaults.options->config.messagePassword,
              (std::array<uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(parse({"--image", "a.dat"}).options->config.messagePassword);
    EXPECT_TRUE(parse({"--help"}).options->help);
    EXPECT_TRUE(parse({"--version"}).options->version);
}

TEST(SimOptions, AWrongOptionOrValueIsNamed)
{
    const struct {
        std::vector<const char*> arguments;
        std::string named;
    } cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"--linc", "x"}, "--linc"},
        {{"--model-code", "0x0500"}, "0x0500"},
        {{"--write-password", "toolong7"}, "write password"},
        {{"--message-password", "a-b"}, "message password"},
        {{"--hunt-baud", "fast"}, "fast"},
        {{"--noise", "-3"}, "--noise"},
        {{"--nak", "toolong"}, "toolong"},
        {{"--link"}, "--link"},
        {{"stray"}, "stray"},
    };
    for (const auto& c : cases) {
        const ParsedOptions parsed = parse(c.arguments);
        EXPECT_FALSE(parsed.options) << c.named;
        EXPECT_NE(parsed.error.find(c.named), std::string::npos) << parsed.error;
    }
}

int exitCodeOf(const std::string& arguments, const test::TempFolder& folder)
{
    const std::string command = std::string(RPS_SIM_PROGRAM) + " " + arguments + " >" + folder.file("out") +
                                " 2>" + folder.file("err");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string contentOf(const std::string& path)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(SimOptions, TheProgramAnswersHelpAndVersionOnStandardOutputAndUsageErrorsWithTwo)
{
    test::TempFolder folder;
    EXPECT_EQ(exitCodeOf("--help", folder), 0);
    EXPECT_NE(contentOf(folder.file("out")).find("--slow-prepare"), std::string::npos);
    EXPECT_EQ(exitCodeOf("--version", folder), 0);
    EXPECT_EQ(contentOf(folder.file("out")), std::string(kSimVersion) + "\n");
    EXPECT_EQ(exitCodeOf("--pase", folder), 2);
    EXPECT_NE(contentOf(folder.file("err")).find("--pase"), std::string::npos);
    EXPECT_EQ(contentOf(folder.file("out")), "");
}

} // namespace
} // namespace rps::sim
