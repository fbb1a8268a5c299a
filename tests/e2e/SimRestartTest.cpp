// A read killed half-way leaves rps360t-sim in its programming session; the next read starts
// over with a mode entry and must succeed at once, as with a repeater that is power-cycled.
#include "CliRun.h"
#include "SimProcess.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace rps::test {
namespace {

// Starts a read and kills it without warning after the given time, in the middle of the blocks.
void killReadAfter(const std::string& port, const std::string& output, std::chrono::milliseconds after)
{
    std::vector<std::string> arguments{RPS_CLI_PROGRAM, "read", "--port", port, "-o", output};
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    ASSERT_EQ(::posix_spawn(&pid, RPS_CLI_PROGRAM, nullptr, nullptr, argv.data(), environ), 0);
    std::this_thread::sleep_for(after);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the read ended before it was killed";
}

TEST(SimRestart, AReadKilledHalfWayIsFollowedAtOnceByAGoodRead)
{
    TempFolder folder;
    const std::string link = folder.file("sim.tty");
    // Paced: a read takes several seconds, so the kill lands in the middle of the blocks.
    SimProcess sim(RPS_SIM_PROGRAM, {"--link", link, "--pace", "--model-code", "0x0700"});
    ASSERT_TRUE(sim.ready());
    killReadAfter(link, folder.file("killed.dat"), std::chrono::milliseconds(1000));
    const CliRun run = runCli("read --port " + link + " -o " + folder.file("read.dat"), folder);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
}

} // namespace
} // namespace rps::test
