// What a Linux user expects of rps360t-cli's command line: help and version on standard output
// with success, options also written as --name=value, and every usage error named and ended
// with exit code 2.
#include "CliRun.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace rps::test {
namespace {

class CliConventions : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    TempFolder folder;
};

TEST_F(CliConventions, HelpAndVersionGoToStandardOutputWithSuccess)
{
    const CliRun help = cli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.errors, "");
    for (const char* command :
         {"new", "info", "export-raw", "import-raw", "show", "set", "read", "write", "ports"})
        EXPECT_NE(help.output.find(std::string("\n  ") + command + " "), std::string::npos) << command;

    const CliRun write = cli("write --help");
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_NE(write.output.find("--allow-model-change"), std::string::npos) << write.output;
    // The key scheme is documented where the keys are used.
    EXPECT_NE(cli("set --help").output.find("FORM[.RECORD].FIELD"), std::string::npos);

    // Required arguments are named and marked so; the exit codes are listed.
    const CliRun info = cli("info --help");
    EXPECT_NE(info.output.find("info [OPTIONS] FILE\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("FILE TEXT REQUIRED"), std::string::npos) << info.output;
    for (const char* code : {"0 done", "1 failure", "2 usage error", "128+N"})
        EXPECT_NE(help.output.find(code), std::string::npos) << code;

    const CliRun version = cli("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.rfind("rps360t-cli ", 0), 0u) << version.output;
}

TEST_F(CliConventions, UsageErrorsNameWhatIsWrongAndExitWithTwo)
{
    struct Case {
        const char* arguments;
        const char* named;
    };
    for (const Case& c :
         {Case{"info --bogus x.dat", "--bogus"}, Case{"frobnicate", "frobnicate"}, Case{"", "subcommand"},
          Case{"new --model-code", "--model-code"}, Case{"ports extra", "extra"},
          Case{"--verison", "--verison"}, Case{"-v", "-v"}, Case{"info a.dat b.dat", "b.dat"},
          Case{"show f.dat a b", "b"}, Case{"new -o n.dat", "--model-code"}, Case{"info", "FILE"},
          Case{"set f.dat", "KEY=TEXT"}, Case{"backup", "--port is required"},
          Case{"verify f.dat", "--port is required"}, Case{"read -o r.dat", "--port is required"},
          Case{"tuning-write f.tun", "--port is required"}}) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
        EXPECT_EQ(run.output, "");
    }
}

TEST_F(CliConventions, OptionsTakeTheirValueAfterAnEqualsSign)
{
    const std::string out = folder.file("uhf.dat");
    const CliRun made = cli("new --model-code=0x0600 -o " + out);
    ASSERT_EQ(made.exitCode, 0) << made.errors;
    const CliRun info = cli("info " + out);
    EXPECT_NE(info.output.find("Model code:  0x0600"), std::string::npos) << info.output;
}

} // namespace
} // namespace rps::test
