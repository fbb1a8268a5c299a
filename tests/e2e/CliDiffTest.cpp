// rps360t-cli diff: two data files compared field by field, with the bytes no field names and the
// stamps a write sets listed apart.
#include "CliRun.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using rps::test::CliRun;
using rps::test::readBytes;
using rps::test::TempFolder;
using rps::test::writeBytes;

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliDiff : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string path(const std::string& name) const { return folder.file(name); }
    std::string demo()
    {
        const std::string file = path("a.dat");
        if (!std::filesystem::exists(file))
            std::filesystem::copy_file(std::string(rps::test::kSourceDir) + "/demo/demo.dat", file);
        return file;
    }
    // The image of `from` with one byte changed, saved as a data file by import-raw.
    std::string withByte(const std::string& from, std::size_t offset, uint8_t value, const std::string& name)
    {
        EXPECT_EQ(cli("export-raw " + from + " " + path("raw.bin")).exitCode, 0);
        auto raw = readBytes(path("raw.bin"));
        raw.at(offset) = value;
        writeBytes(path("raw.bin"), raw);
        EXPECT_EQ(cli("import-raw " + path("raw.bin") + " -o " + path(name)).exitCode, 0);
        return path(name);
    }
    void expectGolden(const CliRun& run, const std::string& name)
    {
        const std::string golden = std::string(rps::test::kSourceDir) + "/tests/e2e/golden/" + name;
        if (std::getenv("RPS_UPDATE_GOLDEN")) {
            std::ofstream(golden) << run.output;
            GTEST_SKIP() << "golden file written";
        }
        EXPECT_EQ(run.output, readText(golden));
    }

    TempFolder folder;
};

TEST_F(CliDiff, OneChannelFieldAndOneUnnamedByteListedWithTheStampsApart)
{
    const std::string a = demo();
    ASSERT_EQ(cli("set " + a + " channel.3.rx-frequency=151 -o " + path("b.dat")).exitCode, 0);
    const std::string b = withByte(path("b.dat"), 0x9F00, 0x5A, "c.dat");

    const CliRun text = cli("diff " + a + " " + b);
    EXPECT_EQ(text.exitCode, 1) << text.errors;
    EXPECT_EQ(text.errors, "");
    expectGolden(text, "diff-channel-and-byte.txt");

    const CliRun json = cli("diff --json " + a + " " + b);
    EXPECT_EQ(json.exitCode, 1) << json.errors;
    expectGolden(json, "diff-channel-and-byte.json");
}

TEST_F(CliDiff, EqualImagesPrintNothingWhateverTheKeyBytes)
{
    const std::string a = demo();
    // import-raw saves with a new key: the files differ, their images do not.
    ASSERT_EQ(cli("export-raw " + a + " " + path("a.bin")).exitCode, 0);
    ASSERT_EQ(cli("import-raw " + path("a.bin") + " -o " + path("same.dat")).exitCode, 0);
    ASSERT_NE(readBytes(a), readBytes(path("same.dat")));
    const CliRun run = cli("diff " + a + " " + path("same.dat"));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, "");
}

TEST_F(CliDiff, UsageAndUnreadableFilesAreNotDifferences)
{
    const std::string a = demo();
    EXPECT_EQ(cli("diff " + a).exitCode, 2);
    EXPECT_EQ(cli("diff " + a + " " + a + " " + a).exitCode, 2);
    const CliRun missing = cli("diff " + a + " " + path("missing.dat"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.errors.find("missing.dat"), std::string::npos) << missing.errors;
    EXPECT_EQ(missing.output, "");
}

TEST_F(CliDiff, AChannelOnlyOneFileHasListsItsFieldsAgainstEmptyValues)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + path("empty.dat")).exitCode, 0);
    ASSERT_EQ(cli("set " + path("empty.dat") + " channel.2.rx-frequency=150 channel.2.tx-frequency=151 -o " +
                  path("one.dat"))
                  .exitCode,
              0);
    const CliRun run = cli("diff --json " + path("empty.dat") + " " + path("one.dat"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("\"key\": \"channel.2.rx-frequency\""), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"second\": \"150.000000\""), std::string::npos) << run.output;
    // The channel index entry and the area's end word are no field's bytes: they are listed raw.
    EXPECT_NE(run.output.find("\"offset\": 2,"), std::string::npos) << run.output;
    const CliRun back = cli("diff " + path("one.dat") + " " + path("empty.dat"));
    EXPECT_EQ(back.exitCode, 1);
    EXPECT_NE(back.output.find("channel 2 \"Receive Frequency [MHz]\" \"150.000000\" → \"\""),
              std::string::npos)
        << back.output;
}

} // namespace
