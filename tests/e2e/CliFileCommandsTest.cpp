// Runs the rps360t-cli program on data files and raw images.
#include "CliRun.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include "app/LanguageTable.h"
#include "app/TextArguments.h"
#include "model/ByteOrder.h"
#include "model/DataFileFormat.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace rps;
using rps::test::CliRun;
using rps::test::readBytes;
using rps::test::TempFolder;
using rps::test::writeBytes;

namespace {

class CliFileCommands : public ::testing::Test {
protected:
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::string path(const std::string& name) const { return folder.file(name); }

    TempFolder folder;
};

} // namespace

TEST_F(CliFileCommands, NewExportImportExportIsStableAndMatchesTheCore)
{
    for (const char* code : {"0x0400", "0x0600", "0x0700"}) {
        SCOPED_TRACE(code);
        ASSERT_EQ(cli(std::string("new --model-code ") + code + " -o " + path("a.dat")).exitCode, 0);
        ASSERT_EQ(cli("export-raw " + path("a.dat") + " " + path("a.bin")).exitCode, 0);
        ASSERT_EQ(cli("import-raw " + path("a.bin") + " -o " + path("b.dat")).exitCode, 0);
        ASSERT_EQ(cli("export-raw " + path("b.dat") + " " + path("b.bin")).exitCode, 0);
        const auto first = readBytes(path("a.bin"));
        ASSERT_EQ(first.size(), 42496u);
        EXPECT_EQ(readBytes(path("b.bin")), first);

        // The same image built in-process, stamped and summed as a save does.
        ConfigImage image;
        writeModelBlock(image.main(),
                        ModelBlock::fromModelCode(static_cast<uint16_t>(std::stoul(code, nullptr, 16))));
        InstallationId none;
        none.fill(0xFF);
        newImage(image, none);
        stampVersion(image.main(), none);
        computeChecksum(image.main());
        std::vector<uint8_t> expected(image.main().begin(), image.main().end());
        expected.insert(expected.end(), image.aux().begin(), image.aux().end());
        expected.insert(expected.end(), image.local().begin(), image.local().end());
        EXPECT_EQ(first, expected);
    }
}

TEST_F(CliFileCommands, InfoCountsTheChannelsTheChannelFormsShow)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + path("a.dat")).exitCode, 0);
    ASSERT_EQ(cli("export-raw " + path("a.dat") + " " + path("a.bin")).exitCode, 0);
    auto raw = readBytes(path("a.bin"));
    setU16(raw, 0, 0x1000);  // channel 1: first record
    setU16(raw, 2, 0x1080);  // channel 2: second record
    setU16(raw, 10, 0x1200); // channel 6 skips a record: the forms show it empty
    writeBytes(path("b.bin"), raw);
    ASSERT_EQ(cli("import-raw " + path("b.bin") + " -o " + path("b.dat")).exitCode, 0);
    const CliRun run = cli("info " + path("b.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.output.find("Channels:    2\n"), std::string::npos) << run.output;
}

TEST_F(CliFileCommands, PlainOptionStoresTheAreasUnscrambled)
{
    ASSERT_EQ(cli("new --model-code 0x0400 --plain -o " + path("p.dat")).exitCode, 0);
    const auto bytes = readBytes(path("p.dat"));
    ASSERT_EQ(bytes.size(), kDataFileSize);
    EXPECT_EQ(bytes[kDataFileKeyOffset], 0);
    EXPECT_EQ(bytes[dataFileOffsetOfMain(kDataVersionOffset)], 'V');
}

TEST_F(CliFileCommands, FailuresExitNonZeroWithTheEnglishTextAndWriteNothing)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);

    ASSERT_EQ(cli("new --model-code 0x0700 -o " + path("u.dat")).exitCode, 0);
    auto bytes = readBytes(path("u.dat"));
    const auto original = bytes;
    const char tag[] = "RPS-250X";
    std::copy_n(tag, 8, bytes.begin());
    writeBytes(path("other.dat"), bytes);
    CliRun run = cli("info " + path("other.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.errors, fillTextArguments(texts.text(794), {"other.dat", "RPS-250X"}) + "\n" +
                              path("other.dat") + "\n");

    bytes = original;
    bytes[dataFileOffsetOfMain(kDataFormatOffset)] = static_cast<uint8_t>('2' ^ bytes[kDataFileKeyOffset]);
    writeBytes(path("later.dat"), bytes);
    run = cli("export-raw " + path("later.dat") + " " + path("later.bin"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.errors, texts.text(823) + "\n");
    EXPECT_FALSE(std::filesystem::exists(path("later.bin")));

    writeBytes(path("short.bin"), std::vector<uint8_t>(1000, 0xFF));
    run = cli("import-raw " + path("short.bin") + " -o " + path("short.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.errors, texts.text(771) + "\n");
    EXPECT_FALSE(std::filesystem::exists(path("short.dat")));

    // Other destinations can be created but, like in the application, not opened.
    ASSERT_EQ(cli("new --model-code 0x0703 -o " + path("c.dat")).exitCode, 0);
    run = cli("info " + path("c.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.errors, texts.text(784) + "\n");

    EXPECT_NE(cli("new --model-code 0x0500 -o " + path("bad.dat")).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(path("bad.dat")));
    EXPECT_NE(cli("new --model-code 0x0400 -o " + path("missing/x.dat")).exitCode, 0);
}
