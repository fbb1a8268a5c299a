// The simulator on its pseudo-terminal: one simulator per link, the image it dumps when a
// session ends, and a line that holds nothing stale when a PC starts over.
#include "PtyLine.h"

#include "link/ProtocolBytes.h"
#include "model/TempFolder.h"
#include "sim/LinkLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace rps::test {
namespace {

namespace fs = std::filesystem;

sim::SimProgramOptions optionsFor(const std::string& link)
{
    sim::SimProgramOptions options;
    options.linkPath = link;
    return options;
}

std::string linkTarget(const std::string& link)
{
    std::error_code error;
    return fs::read_symlink(link, error).string();
}

TEST(PtyHost, ALinkServedByARunningSimulatorIsRefusedAndKept)
{
    TempFolder folder;
    const std::string link = folder.file("sim.tty");
    std::optional<ServedHost> first(std::in_place, optionsFor(link));
    ASSERT_TRUE(first->started()) << first->error();
    ASSERT_EQ(linkTarget(link), first->slavePath());
    {
        ServedHost second(optionsFor(link));
        EXPECT_FALSE(second.started());
        EXPECT_NE(second.error().find(link), std::string::npos) << second.error();
        EXPECT_NE(second.error().find("still running"), std::string::npos) << second.error();
    }
    // The refused one neither took the link over nor removed it on its way out.
    EXPECT_EQ(linkTarget(link), first->slavePath());
    PcLine pc(link);
    EXPECT_TRUE(pc.isOpen());

    first.reset();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(sim::linkLockPath(link)));
}

TEST(PtyHost, ALinkLeftByASimulatorThatDiedIsReplaced)
{
    TempFolder folder;
    const std::string link = folder.file("sim.tty");
    fs::create_symlink("/dev/pts/999999", link);
    writeBytes(sim::linkLockPath(link), {'1', '2', '3', '\n'}); // nobody holds it
    ServedHost host(optionsFor(link));
    ASSERT_TRUE(host.started()) << host.error();
    EXPECT_EQ(linkTarget(link), host.slavePath());
}

// Enters programming mode without agreeing a key, so frames go out as they are.
void enterMode(PcLine& pc, speed_t hunt = B9600)
{
    ASSERT_TRUE(pc.setSpeed(hunt));
    ASSERT_TRUE(pc.send("PROGRAM"));
    ASSERT_EQ(pc.receive(), proto::kSyn);
    ASSERT_TRUE(pc.setSpeed(B19200));
    ASSERT_EQ(pc.receive(), proto::kAck);
}

TEST(PtyHost, ASessionEndedByANewModeEntryIsDumped)
{
    TempFolder folder;
    sim::SimProgramOptions options = optionsFor(folder.file("sim.tty"));
    options.dumpPath = folder.file("dump.bin");
    ServedHost host(options);
    ASSERT_TRUE(host.started()) << host.error();
    PcLine pc(host.slavePath());
    enterMode(pc);
    const char fill[] = {static_cast<char>(proto::kFillWrite), 0x00, 0x20, 0x5C};
    ASSERT_TRUE(pc.send(std::string_view(fill, sizeof fill)));
    ASSERT_EQ(pc.receive(), proto::kAck);
    // The PC starts over without leaving: the session ends there, and its writes are dumped.
    enterMode(pc);
    std::vector<uint8_t> dump;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (dump.size() != sim::kRawImageSize && std::chrono::steady_clock::now() < deadline)
        dump = readBytes(options.dumpPath);
    ASSERT_EQ(dump.size(), sim::kRawImageSize);
    EXPECT_EQ(dump[0x2000], 0x5C);
    EXPECT_EQ(dump[0x20FF], 0x5C);
}

TEST(PtyHost, APcThatVanishedAfterPrepareReadsTheSynOfItsNewEntryFirst)
{
    // Hunting at 19200, an answer of the old session would reach the new PC at the speed it
    // listens at.
    TempFolder folder;
    sim::SimProgramOptions options = optionsFor(folder.file("sim.tty"));
    options.config.huntBaud = 19200;
    options.config.faults.prepareDelayMs = 300;
    ServedHost host(options);
    ASSERT_TRUE(host.started()) << host.error();
    {
        PcLine vanished(host.slavePath());
        enterMode(vanished, B19200);
        const char prepare[] = {static_cast<char>(proto::kPrepare), 0x00, static_cast<char>(0xFF)};
        ASSERT_TRUE(vanished.send(std::string_view(prepare, sizeof prepare)));
    }
    PcLine next(host.slavePath());
    enterMode(next, B19200);
    EXPECT_EQ(next.receive(600), std::nullopt) << "the old session's answer came after all";
}

} // namespace
} // namespace rps::test
