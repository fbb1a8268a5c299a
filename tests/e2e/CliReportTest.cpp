// What rps360t-cli tells its user: what a transfer did, nothing with --quiet, the port list,
// and where and why a file could not be used.
#include "CliRun.h"
#include "SimProcess.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace rps::test {
namespace {

std::string readText(const std::string& path)
{
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class CliReport : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string link() const { return folder.file("sim.tty"); }
    TempFolder folder;
};

TEST_F(CliReport, ReadAndWriteSayWhatTheyDidUnlessQuiet)
{
    SimProcess sim(RPS_SIM_PROGRAM, {"--link", link(), "--model-code", "0x0400"});
    ASSERT_TRUE(sim.ready());
    const std::string out = folder.file("site.dat");

    CliRun run = cli("read --port " + link() + " -o " + out);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors.rfind("Read QLM-640", 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find(" into " + out + "\n"), std::string::npos) << run.errors;

    run = cli("write --port " + link() + " --yes " + out);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("Written " + out + " (QLM-640"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("to the repeater on " + link()), std::string::npos) << run.errors;

    run = cli("read --quiet --port " + link() + " -o " + out);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "");
    run = cli("write --port " + link() + " --yes --quiet " + out);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "");
}

// --port sim.tty is the link in the working folder, not /dev/sim.tty.
TEST_F(CliReport, ARelativePortIsTakenFromTheWorkingFolder)
{
    SimProcess sim(RPS_SIM_PROGRAM, {"--link", link()});
    ASSERT_TRUE(sim.ready());
    const std::string command = "cd " + folder.path().string() + " && XDG_DATA_HOME=" + folder.file("data") +
                                " " + RPS_CLI_PROGRAM +
                                " read --quiet --port sim.tty -o here.dat </dev/null 2>read.err";
    EXPECT_EQ(std::system(command.c_str()), 0) << readText(folder.file("read.err"));
    EXPECT_TRUE(std::filesystem::exists(folder.file("here.dat")));
}

TEST_F(CliReport, PortsListsTheRunsPortAndSucceedsAlsoWithNone)
{
    ::setenv("RPS360T_PORT", "/tmp/given-port.tty", 1);
    CliRun run = cli("ports");
    ::unsetenv("RPS360T_PORT");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output.rfind("Port\tDevice\tDescription\tManufacturer\tSerial number\tStable name\n", 0),
              0u)
        << run.output;
    EXPECT_NE(run.output.find("\nCOM1\t/tmp/given-port.tty\tRPS360T_PORT\t"), std::string::npos)
        << run.output;

    // No port at all is not a failure (on this machine there may or may not be any).
    run = cli("ports");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(cli("ports extra").exitCode, 2);
}

TEST_F(CliReport, AFileThatCannotBeReadNamesItselfAndTheReason)
{
    const std::string missing = folder.file("gone.dat");
    CliRun run = cli("info " + missing);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("\n" + missing + ": " + std::generic_category().message(ENOENT) + "\n"),
              std::string::npos)
        << run.errors;

    ASSERT_EQ(cli("new --model-code 0x0400 -o " + folder.file("a.dat")).exitCode, 0);
    run = cli("new --model-code 0x0400 -o " + folder.file("no/such/folder/b.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.errors, "The data file cannot be saved: " + folder.file("no/such/folder/b.dat") + ": " +
                              std::generic_category().message(ENOENT) + "\n");
}

} // namespace
} // namespace rps::test
