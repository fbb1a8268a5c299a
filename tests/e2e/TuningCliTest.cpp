// rps360t-cli tuning-read and tuning-write against rps360t-sim on a pseudo-terminal.
#include "CliRun.h"
#include "SimProcess.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

namespace rps::test {
namespace {

constexpr std::size_t kHeader = 96;
constexpr std::size_t kUnit = 64;

class TuningCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = std::make_unique<SimProcess>(RPS_SIM_PROGRAM,
                                           std::vector<std::string>{"--link", link(), "--seed", "3"});
        ASSERT_TRUE(sim->ready());
    }
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string link() const { return folder.file("sim.tty"); }
    std::string file(const std::string& name) const { return folder.file(name); }
    void writeFile(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        writeBytes(file(name), bytes);
    }
    std::vector<uint8_t> readBack(const std::string& name)
    {
        const CliRun run = cli("tuning-read --port " + link() + " -o " + file(name));
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return readBytes(file(name));
    }

    TempFolder folder;
    std::unique_ptr<SimProcess> sim;
};

TEST_F(TuningCli, AChangedCopyWrittenBackIsWhatTheNextReadReturns)
{
    const std::vector<uint8_t> first = readBack("first.tun");
    ASSERT_EQ(first.size(), 872u);
    std::vector<uint8_t> changed = first;
    changed[kHeader + 0] ^= 0x5A;   // first byte of the first window
    changed[kHeader + 775] ^= 0xA5; // last byte of the last window
    writeFile("changed.tun", changed);

    const CliRun write = cli("tuning-write --port " + link() + " --yes " + file("changed.tun"));
    ASSERT_EQ(write.exitCode, 0) << write.errors;
    EXPECT_EQ(readBack("second.tun"), changed);
}

TEST_F(TuningCli, WritingIsRefusedWithoutConfirmationAndForAnotherUnitWithoutPermission)
{
    const std::vector<uint8_t> first = readBack("first.tun");
    std::vector<uint8_t> other = first;
    other[kUnit + 20] ^= 0x01; // another serial number
    other[kHeader + 100] ^= 0xFF;
    writeFile("other.tun", other);

    // No terminal and no --yes: the routine question counts as Cancel.
    const CliRun unconfirmed = cli("tuning-write --port " + link() + " " + file("other.tun"));
    EXPECT_EQ(unconfirmed.exitCode, 1);
    EXPECT_NE(unconfirmed.errors.find("--yes"), std::string::npos) << unconfirmed.errors;
    const CliRun refused = cli("tuning-write --port " + link() + " --yes " + file("other.tun"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.errors.find("--allow-other-unit"), std::string::npos) << refused.errors;
    EXPECT_EQ(readBack("after.tun"), first);

    const CliRun allowed =
        cli("tuning-write --port " + link() + " --yes --allow-other-unit " + file("other.tun"));
    ASSERT_EQ(allowed.exitCode, 0) << allowed.errors;
    const std::vector<uint8_t> written = readBack("written.tun");
    EXPECT_TRUE(std::equal(written.begin() + kHeader, written.end(), other.begin() + kHeader));
    // The file made from the repeater names the repeater's own unit.
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + kHeader, first.begin()));
}

TEST_F(TuningCli, FilesThatAreNotTuningDataAreRefusedBeforeThePortIsOpened)
{
    const std::vector<uint8_t> good = readBack("good.tun");
    std::vector<uint8_t> data = good;
    data[32] = 'D';
    std::vector<uint8_t> foreign = good;
    foreign[0] = 'X';
    writeFile("short.tun", {good.begin(), good.begin() + 771});
    writeFile("data.tun", data);
    writeFile("foreign.tun", foreign);
    // The port named does not exist: reaching it would fail with another message.
    for (const char* name : {"short.tun", "data.tun", "foreign.tun"}) {
        const CliRun run = cli(std::string("tuning-write --port /dev/rps-no-such-port --yes ") + file(name));
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.errors.find("rps-no-such-port"), std::string::npos) << run.errors;
    }
    EXPECT_EQ(cli("tuning-write --port " + link()).exitCode, 2);
}

TEST_F(TuningCli, AnOutputThatCannotBeMadeIsFoundBeforeTheRepeaterIsRead)
{
    const CliRun run = cli("tuning-read --port /dev/rps-no-such-port -o " + file("no/such/folder/x.tun"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.find("rps-no-such-port"), std::string::npos) << run.errors;
    const CliRun out = cli("tuning-read --quiet --port " + link() + " -o -");
    ASSERT_EQ(out.exitCode, 0) << out.errors;
    EXPECT_EQ(out.output.size(), 872u);
}

} // namespace
} // namespace rps::test
