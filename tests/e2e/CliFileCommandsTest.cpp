// Runs the rps360t-cli program on data files and raw images.
#include "CliRun.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include "model/ByteOrder.h"
#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"
#include "texts/LanguageTable.h"
#include "texts/TextArguments.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_EQ(run.errors, texts.text(771) + "\n" + path("short.bin") + ": " + texts.text(1340) + "\n");
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

// import-raw takes a raw image only when Open would take the data file it makes, and never
// replaces a good file with one that cannot be opened.
TEST_F(CliFileCommands, ImportRawRefusesWhatOpenRefusesAndKeepsTheFileItWouldReplace)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + path("good.dat")).exitCode, 0);
    ASSERT_EQ(cli("export-raw " + path("good.dat") + " " + path("good.bin")).exitCode, 0);
    const auto good = readBytes(path("good.dat"));
    const auto raw = readBytes(path("good.bin"));

    const std::vector<uint8_t> damagedBlock{0x5A, 0x13, 0xC7, 0x02, 0x9E, 0x41, 0xFF, 0x00,
                                            0x3B, 0x88, 0x71, 0x2D, 0xE4, 0x06, 0xB9, 0x50};
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        int message;
    };
    const Case cases[] = {
        {"all 0xFF", [](auto& bytes) { std::fill(bytes.begin(), bytes.end(), 0xFF); }, 784},
        {"random model block",
         [&](auto& bytes) { std::copy(damagedBlock.begin(), damagedBlock.end(), bytes.begin() + 0x400); },
         818},
        {"model code 0x0402", [](auto& bytes) { bytes[0x400 + 10] = 0x02; }, 784},
        {"reserved bytes", [](auto& bytes) { bytes[0x400 + 13] = 0x00; }, 818},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = raw;
        c.damage(bytes);
        writeBytes(path("bad.bin"), bytes);
        const CliRun run = cli("import-raw " + path("bad.bin") + " -o " + path("good.dat"));
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.errors, texts.text(c.message) + "\n");
        EXPECT_TRUE(readBytes(path("good.dat")) == good) << "the good file was replaced";
    }
}

// A folder or an unreadable input is a file that cannot be read, for every command that reads one.
TEST_F(CliFileCommands, AFolderAsInputIsRefusedWithTheMessageNotAnAbort)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    std::filesystem::create_directory(path("folder"));
    for (const std::string& command :
         {"import-raw " + path("folder") + " -o " + path("out.dat"), "info " + path("folder"),
          "export-raw " + path("folder") + " " + path("out.bin")}) {
        SCOPED_TRACE(command);
        const CliRun run = cli(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.errors, texts.text(771) + "\n" + path("folder") + ": Is a directory\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path("out.dat")));
    EXPECT_FALSE(std::filesystem::exists(path("out.bin")));
}

// An endless input (a pipe, a device) is read one byte past an image and refused, not gathered
// into memory: the writer of the pipe finds it closed long before it is done.
TEST_F(CliFileCommands, ImportRawReadsOneByteMoreThanAnImageAtMost)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    const std::string pipe = path("endless");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    constexpr std::size_t kOffered = 8u << 20; // far more than an image and a pipe buffer
    std::size_t accepted = 0;
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    std::thread writer([&] {
        // Waits for the reader at most ten seconds.
        int fd = -1;
        for (int i = 0; i < 1000 && fd < 0; ++i) {
            fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0)
                ::usleep(10000);
        }
        if (fd < 0)
            return;
        ::fcntl(fd, F_SETFL, 0);
        const std::vector<uint8_t> chunk(4096, 0xFF);
        while (accepted < kOffered) {
            const ssize_t n = ::write(fd, chunk.data(), chunk.size());
            if (n <= 0)
                break;
            accepted += static_cast<std::size_t>(n);
        }
        ::close(fd);
    });
    const CliRun run = cli("import-raw " + pipe + " -o " + path("out.dat"));
    writer.join();
    std::signal(SIGPIPE, previous);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, texts.text(771) + "\n" + pipe + "\n");
    EXPECT_LT(accepted, kOffered) << "the whole input was read";
    EXPECT_FALSE(std::filesystem::exists(path("out.dat")));
}

// "-o /dev/stdout" and "-o -" write into the pipe the command line's output goes to.
TEST_F(CliFileCommands, OutputToStandardOutputGoesDownThePipe)
{
    struct Case {
        std::string arguments;
        std::size_t size;
    };
    ASSERT_EQ(cli("new --model-code 0x0700 -o " + path("a.dat")).exitCode, 0);
    ASSERT_EQ(cli("export-raw " + path("a.dat") + " " + path("a.bin")).exitCode, 0);
    for (const Case& c : {Case{"new --model-code 0x0400 -o /dev/stdout", kDataFileSize},
                          Case{"export-raw " + path("a.dat") + " /dev/stdout", 42496u},
                          Case{"new --model-code 0x0400 -o -", kDataFileSize},
                          Case{"export-raw " + path("a.dat") + " -", 42496u},
                          Case{"import-raw " + path("a.bin") + " -o -", kDataFileSize},
                          Case{"set " + path("a.dat") + " features.tot=10 -o -", kDataFileSize}}) {
        SCOPED_TRACE(c.arguments);
        const std::string command =
            "cd " + folder.path().string() + " && " + RPS_CLI_PROGRAM + " " + c.arguments + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::vector<uint8_t> bytes;
        uint8_t buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + n);
        const int status = ::pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(bytes.size(), c.size);
        EXPECT_FALSE(std::filesystem::exists(path("-")));
    }
}

// A save that fails says on one line what could not be written, where and why.
TEST_F(CliFileCommands, SaveFailuresNameWhatWhereAndWhyOnOneLine)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + path("a.dat")).exitCode, 0);
    const std::string missing = path("missing");
    CliRun run = cli("set " + path("a.dat") + " features.tot=10 -o " + missing + "/out.dat");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors,
              "The data file cannot be saved: " + missing + "/out.dat: No such file or directory\n");
    run = cli("export-raw " + path("a.dat") + " " + missing + "/x.bin");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors,
              "The raw image cannot be saved: " + missing + "/x.bin: No such file or directory\n");
    run = cli("new --model-code 0x0400 -o " + folder.path().string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << run.errors;
    EXPECT_EQ(run.errors.rfind("The data file cannot be saved: " + folder.path().string() + ": ", 0), 0u)
        << run.errors;

    // A folder the user may not write to (run as another user, since root may write anywhere).
    if (::geteuid() == 0) {
        std::filesystem::permissions(
            folder.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                               std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                               std::filesystem::perms::others_exec);
        const std::string command = std::string("setpriv --reuid=65534 --regid=65534 --clear-groups ") +
                                    RPS_CLI_PROGRAM + " set " + path("a.dat") + " features.tot=10 -o " +
                                    path("out.dat") + " </dev/null 2>" + path("denied.txt");
        EXPECT_NE(std::system(command.c_str()), 0);
        const auto denied = readBytes(path("denied.txt"));
        EXPECT_EQ(std::string(denied.begin(), denied.end()),
                  "The data file cannot be saved: " + path("out.dat") + ": Permission denied\n");
    }

    // A short text file is not a data file, rather than one that ends early.
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);
    writeBytes(path("note.dat"),
               std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'});
    run = cli("info " + path("note.dat"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, fillTextArguments(texts.text(loadMessageText(kLoadNotDataFile)), {"note.dat"}) +
                              "\n" + path("note.dat") + "\n");
}
