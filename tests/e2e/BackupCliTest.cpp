// write with its read-back, verify, backup and the serial trace against rps360t-sim.
#include "CliRun.h"
#include "SimProcess.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace rps::test {
namespace {

namespace fs = std::filesystem;

class BackupCli : public ::testing::Test {
protected:
    void startSim(std::vector<std::string> options = {})
    {
        std::vector<std::string> arguments{"--link", link(), "--seed", "7"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        sim = std::make_unique<SimProcess>(RPS_SIM_PROGRAM, arguments);
        ASSERT_TRUE(sim->ready());
    }
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string link() const { return folder.file("sim.tty"); }
    std::string file(const std::string& name) const { return folder.file(name); }
    fs::path backups() const { return folder.path() / "data" / "rps360t" / "backups"; }
    std::string text(const std::string& name) const
    {
        std::ifstream in(file(name));
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    TempFolder folder;
    std::unique_ptr<SimProcess> sim;
};

// The frames the PC sent that start with one of the write commands. The frame that answers the
// identification is two bytes, its first a key byte that may be any value, so it never counts.
std::vector<std::string> writeFramesIn(const std::string& trace)
{
    std::vector<std::string> frames;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find("PC> ");
        if (at == std::string::npos)
            continue;
        std::istringstream bytes(line.substr(at + 4));
        std::vector<std::string> frame{std::istream_iterator<std::string>(bytes), {}};
        static const std::vector<std::string> writes{"2C", "57", "5A", "58", "03"};
        if (frame.size() >= 3 && std::find(writes.begin(), writes.end(), frame.front()) != writes.end())
            frames.push_back(line);
    }
    return frames;
}

unsigned modeOf(const fs::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST_F(BackupCli, AWriteIsBackedUpReadBackAndVerifiedWithoutWriting)
{
    startSim({"--write-password", "K9"});
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    const CliRun written = cli("write --port " + link() + " --yes --password K9 --trace " +
                               file("write.txt") + " " + file("new.dat"));
    ASSERT_EQ(written.exitCode, 0) << written.errors;
    // The image was saved before it was written, under the model without a serial.
    const fs::path unknown = backups() / "QLM-640-unknown";
    ASSERT_EQ(std::distance(fs::directory_iterator(unknown), {}), 1);
    const fs::path saved = fs::directory_iterator(unknown)->path();
    EXPECT_EQ(modeOf(saved), 0600u);
    EXPECT_EQ(modeOf(unknown), 0700u);
    EXPECT_EQ(modeOf(backups()), 0700u);

    const std::string trace = text("write.txt");
    EXPECT_NE(trace.find("PC> 03 ** ** ** ** ** **"), std::string::npos);
    EXPECT_EQ(trace.find("PC> 03 4B 39"), std::string::npos);
    EXPECT_NE(trace.find("PC> 52 00 9F"), std::string::npos) << "the last block is read back";
    EXPECT_FALSE(writeFramesIn(trace).empty()) << "the write's own frames are recognised";

    ASSERT_EQ(cli("set " + file("new.dat") + " -o " + file("other.dat") + " message.line-1=HELLO").exitCode,
              0);
    // The first byte after the model block, whose last two bytes verify leaves out.
    ASSERT_EQ(cli("set " + file("new.dat") + " -o " + file("name.dat") + " nxdn.unit-name=A").exitCode, 0);
    struct Case {
        const char* name;
        int exitCode;
        const char* line;
    };
    for (const Case& c : {Case{"new.dat", 0, ""}, Case{"other.dat", 1, "0x0200: sent 0x48, read back 0x00"},
                          Case{"name.dat", 1, "0x0410: sent 0x41, read back 0x00"}}) {
        SCOPED_TRACE(c.name);
        const CliRun verified =
            cli("verify --port " + link() + " --trace " + file("verify.txt") + " " + file(c.name));
        EXPECT_EQ(verified.exitCode, c.exitCode) << verified.errors;
        EXPECT_EQ(writeFramesIn(text("verify.txt")), std::vector<std::string>{});
        EXPECT_NE(verified.errors.find(c.line), std::string::npos) << verified.errors;
    }
}

TEST_F(BackupCli, ABlockStoredWronglyFailsTheWriteUnlessTheReadBackIsOff)
{
    startSim({"--store-wrong", "2"});
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    const CliRun checked = cli("write --port " + link() + " --yes " + file("new.dat"));
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_NE(checked.errors.find("Block 2 (0x0200-0x02FF): 1 byte(s) differ"), std::string::npos)
        << checked.errors;
    EXPECT_NE(checked.errors.find("[message.line-1]"), std::string::npos) << checked.errors;
    EXPECT_EQ(checked.errors.find("Written"), std::string::npos);

    const CliRun unchecked = cli("write --port " + link() + " --yes --no-verify " + file("new.dat"));
    EXPECT_EQ(unchecked.exitCode, 0) << unchecked.errors;
    EXPECT_EQ(cli("write --port " + link() + " --verify --no-verify " + file("new.dat")).exitCode, 2);
}

TEST_F(BackupCli, ReadAndBackupFileTheImageUnderTheUnitsSerial)
{
    startSim();
    const CliRun read = cli("read --port " + link() + " -o " + file("read.dat"));
    ASSERT_EQ(read.exitCode, 0) << read.errors;
    EXPECT_NE(read.errors.find("Backup saved as " + (backups() / "QLM-640-SN0000360123").string()),
              std::string::npos)
        << read.errors;

    const CliRun backup = cli("backup --port " + link() + " --dir " + file("elsewhere"));
    ASSERT_EQ(backup.exitCode, 0) << backup.errors;
    const std::string path = backup.output.substr(0, backup.output.find('\n'));
    EXPECT_EQ(fs::path(path).parent_path(), fs::path(file("elsewhere")) / "QLM-640-SN0000360123");
    EXPECT_EQ(modeOf(path), 0600u);
    const CliRun info = cli("info " + path);
    EXPECT_EQ(info.exitCode, 0) << info.errors;
    EXPECT_NE(info.output.find("QLM-640"), std::string::npos);
}

} // namespace
} // namespace rps::test
