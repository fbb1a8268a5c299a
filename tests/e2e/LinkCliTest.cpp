// rps360t-cli read and write against rps360t-sim on a pseudo-terminal.
#include "CliRun.h"
#include "SimProcess.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include "link/ProtocolBytes.h"
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "sim/PtyHost.h"
#include "texts/LanguageTable.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace rps::test {
namespace {

class LinkCli : public ::testing::Test {
protected:
    // The tools started directly (on a pseudo-terminal) keep their backups in the test's folder.
    LinkCli() { ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1); }

    void startSim(const std::string& options)
    {
        std::vector<std::string> arguments{"--link", link(), "--dump", folder.file("radio.bin"),
                                           "--seed", "7"};
        std::string word;
        for (char c : options + " ") {
            if (c != ' ') {
                word += c;
            } else if (!word.empty()) {
                arguments.push_back(word);
                word.clear();
            }
        }
        sim = std::make_unique<SimProcess>(RPS_SIM_PROGRAM, arguments);
        ASSERT_TRUE(sim->ready());
    }
    CliRun cli(const std::string& arguments) { return runCli(arguments, folder); }
    std::vector<uint8_t> radioImage()
    {
        sim->stop();
        return readBytes(folder.file("radio.bin"));
    }
    std::string link() const { return folder.file("sim.tty"); }
    std::string file(const std::string& name) const { return folder.file(name); }
    static const LanguageTable& english()
    {
        static const LanguageTable table = [] {
            LanguageTable t;
            t.loadFile(kLanguageFile, "English");
            return t;
        }();
        return table;
    }
    static std::string message(int number) { return english().text(number); }

    TempFolder folder;
    std::unique_ptr<SimProcess> sim;
};

TEST_F(LinkCli, ReadSavesTheRepeatersImageAsAnOpenableDataFile)
{
    startSim("--model-code 0x0700 --hunt-baud 4800");
    const CliRun run = cli("read --port " + link() + " -o " + file("read.dat"));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_EQ(cli("export-raw " + file("read.dat") + " " + file("read.bin")).exitCode, 0);
    const std::vector<uint8_t> read = readBytes(file("read.bin"));
    const std::vector<uint8_t> radio = radioImage();
    ASSERT_EQ(read.size(), radio.size());
    EXPECT_EQ(getU16(read, kModelBlockOffset + 10), 0x0700);
    // Main area and auxiliary block as the repeater holds them; saving adds the checksum word.
    for (std::size_t i = 0; i < kMainSize + kAuxSize; ++i) {
        if (i != kChecksumOffset && i != kChecksumOffset + 1) {
            ASSERT_EQ(read[i], radio[i]) << "offset " << i;
        }
    }
    EXPECT_TRUE(std::equal(read.begin() + kMainSize + kAuxSize, read.begin() + kMainSize + kAuxSize + 192,
                           radio.begin() + kMainSize + kAuxSize));

    // "-o -" is standard output.
    startSim("--model-code 0x0700");
    const CliRun piped = cli("read --port " + link() + " -o -");
    ASSERT_EQ(piped.exitCode, 0) << piped.errors;
    EXPECT_EQ(piped.output.size(), readBytes(file("read.dat")).size());
    EXPECT_EQ(piped.output.substr(0, 3), "RPS");
}

TEST_F(LinkCli, WriteSendsTheDataFileAndAPlainReadBringsItBack)
{
    ASSERT_EQ(cli("new --model-code 0x0600 -o " + file("new.dat")).exitCode, 0);
    startSim("--model-code 0x0600");
    const CliRun written = cli("write --port " + link() + " --set-clock --yes " + file("new.dat"));
    ASSERT_EQ(written.exitCode, 0) << written.errors;
    const CliRun read = cli("read --port " + link() + " --plain -o " + file("back.dat"));
    ASSERT_EQ(read.exitCode, 0) << read.errors;
    ASSERT_EQ(cli("export-raw " + file("new.dat") + " " + file("new.bin")).exitCode, 0);
    ASSERT_EQ(cli("export-raw " + file("back.dat") + " " + file("back.bin")).exitCode, 0);
    const std::vector<uint8_t> sent = readBytes(file("new.bin"));
    const std::vector<uint8_t> back = readBytes(file("back.bin"));
    ASSERT_EQ(sent.size(), back.size());
    EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + kMainSize + 1024, back.begin()));
}

TEST_F(LinkCli, YesDoesNotWriteOverAnotherModelButAllowModelChangeDoes)
{
    ASSERT_EQ(cli("new --model-code 0x0600 -o " + file("uhf.dat")).exitCode, 0);
    startSim("--model-code 0x0400");
    const CliRun refused = cli("write --port " + link() + " --yes " + file("uhf.dat"));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.errors.find(message(777)), std::string::npos) << refused.errors;
    const std::vector<uint8_t> untouched = radioImage();
    ASSERT_EQ(untouched.size(), kMainSize + kAuxSize + kLocalSize);
    EXPECT_EQ(getU16(untouched, kModelBlockOffset + 10), 0x0400);

    startSim("--model-code 0x0400");
    const CliRun allowed = cli("write --port " + link() + " --yes --allow-model-change " + file("uhf.dat"));
    EXPECT_EQ(allowed.exitCode, 0) << allowed.errors;
    EXPECT_EQ(getU16(radioImage(), kModelBlockOffset + 10), 0x0600);

    // The refusal and the usage name the option.
    EXPECT_NE(refused.errors.find("--allow-model-change"), std::string::npos) << refused.errors;
    EXPECT_NE(cli("write").errors.find("--allow-model-change"), std::string::npos);
}

// A repeater of the data's model whose password settings differ is no other model: the
// difference is said, not the model question.
TEST_F(LinkCli, OtherOptionFlagsAreNamedNotAskedAsAnotherModel)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    startSim("--model-code 0x0400 --write-password K9");
    const CliRun run = cli("write --port " + link() + " --yes --password K9 " + file("new.dat"));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors.find(message(777)), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(message(1026) + " (repeater: set, data: none)"), std::string::npos)
        << run.errors;
}

// A write that ends part way says how far it got and that the repeater must be written again.
TEST_F(LinkCli, AWriteEndingPartWayTellsThatTheRepeaterHoldsPartOfTheData)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    startSim("--model-code 0x0400 --die-at-block 100");
    const CliRun run = cli("write --port " + link() + " --yes " + file("new.dat"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find(message(773)), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("block 101 of 165: the repeater now holds part of the new data"),
              std::string::npos)
        << run.errors;
}

// read finds out that its output cannot be made before it opens the port.
TEST_F(LinkCli, AnOutputThatCannotBeMadeFailsBeforeThePortIsOpened)
{
    for (const std::string& out : {folder.path().string(), file("missing/read.dat")}) {
        SCOPED_TRACE(out);
        const CliRun run = cli("read --port " + file("nothing.tty") + " -o " + out);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.errors.rfind("The data file cannot be saved: " + out + ": ", 0), 0u) << run.errors;
        EXPECT_EQ(run.errors.find(message(772)), std::string::npos) << "the port was opened";
    }
    EXPECT_FALSE(std::filesystem::exists(file("missing")));
}

TEST_F(LinkCli, ARepeaterDyingMidReadFailsWithTheMessageAndWritesNoFile)
{
    startSim("--model-code 0x0400 --die-at-block 100");
    const CliRun run = cli("read --port " + link() + " -o " + file("partial.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find(message(773)), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(file("partial.dat")));
}

TEST_F(LinkCli, AnExportModelIsNotRead)
{
    startSim("--model-code 0x0402");
    const CliRun run = cli("read --port " + link() + " -o " + file("x.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find(message(774)), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(file("x.dat")));
}

TEST_F(LinkCli, WritePasswordFromTheCommandLineAndWithoutATerminal)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    startSim("--model-code 0x0400 --write-password K9 --nak W:1 --bad-checksum 2");
    const CliRun refused = cli("write --port " + link() + " --yes --password K8 " + file("new.dat"));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.errors.find(message(779)), std::string::npos) << refused.errors;

    // Without --password and without a terminal nobody can answer: the failure says why.
    const CliRun unanswered = cli("write --port " + link() + " --yes " + file("new.dat"));
    EXPECT_NE(unanswered.exitCode, 0);
    EXPECT_NE(unanswered.errors.find(message(1026) + ": " + message(821)), std::string::npos)
        << unanswered.errors;
    EXPECT_EQ(unanswered.errors.find(message(773)), std::string::npos) << "the repeater did answer";

    const CliRun accepted = cli("write --port " + link() + " --yes --password K9 " + file("new.dat"));
    EXPECT_EQ(accepted.exitCode, 0) << accepted.errors;
}

// Runs the command line on a terminal of its own and types each line when its prompt shows;
// later prompts get an empty line. The exit code, or -1 when it hangs.
int runOnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                  const std::string& typed)
{
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (child < 0)
        return -1;
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(RPS_CLI_PROGRAM)};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(RPS_CLI_PROGRAM, argv.data());
        ::_exit(127);
    }
    std::string screen;
    std::size_t answered = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd fd{master, POLLIN, 0};
        if (::poll(&fd, 1, 100) > 0) {
            char buffer[256];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            screen.append(buffer, static_cast<std::size_t>(n));
        }
        for (std::size_t at = screen.find(prompt); at != std::string::npos;
             at = screen.find(prompt, at + 1)) {
            if (at < answered)
                continue;
            const std::string line = (answered == 0 ? typed : std::string()) + "\n";
            if (::write(master, line.data(), line.size()) < 0)
                break;
            answered = at + 1;
        }
    }
    ::close(master);
    int status = 0;
    for (int i = 0; i < 50 && ::waitpid(child, &status, WNOHANG) != child; ++i)
        ::usleep(100000);
    if (::kill(child, 0) == 0 && ::waitpid(child, &status, WNOHANG) != child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(LinkCli, ATypedWritePasswordSwallowsWhatThePasswordDialogWouldSwallow)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    startSim("--model-code 0x0400 --write-password abcdef");
    // The dialog takes letters and digits only: "ab-cdef" is typed as "abcdef", not cut to "ab-cde".
    EXPECT_EQ(
        runOnTerminal({"write", "--port", link(), "--yes", file("new.dat")}, message(1026) + ": ", "ab-cdef"),
        0);
}

// The simulated repeater served from a thread of the test, so the test can look at it afterwards.
class InProcessSim {
public:
    InProcessSim(const std::string& link, sim::SimConfig config, uint16_t modelCode, bool pace)
        : repeater_(config, sim::defaultMemory(modelCode))
    {
        options_.config = config;
        options_.modelCode = modelCode;
        options_.linkPath = link;
        options_.pace = pace;
        host_ = std::make_unique<sim::PtyHost>(repeater_, options_);
        std::string error;
        if (host_->start(error))
            thread_ = std::thread([this] { host_->run(stop_); });
    }
    ~InProcessSim() { stop(); }
    InProcessSim(const InProcessSim&) = delete;
    InProcessSim& operator=(const InProcessSim&) = delete;

    bool ready() const { return thread_.joinable(); }
    // Stops serving the line; the repeater keeps its state for the test to look at.
    const sim::SimRepeater& stop()
    {
        stop_.store(true);
        if (thread_.joinable())
            thread_.join();
        return repeater_;
    }

private:
    sim::SimProgramOptions options_;
    sim::SimRepeater repeater_;
    std::unique_ptr<sim::PtyHost> host_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// rps360t-cli on a terminal of its own: the test reads what it shows, types, sends signals and
// looks at the terminal's settings (through a descriptor of its own, so they outlive the program).
class TerminalSession {
public:
    explicit TerminalSession(const std::vector<std::string>& arguments)
    {
        // Built before the fork: the simulated repeater's thread runs in this process.
        std::vector<char*> argv{const_cast<char*>(RPS_CLI_PROGRAM)};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_ = ::forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            ::execv(RPS_CLI_PROGRAM, argv.data());
            ::_exit(127);
        }
        if (pid_ > 0)
            slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    }
    ~TerminalSession()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(slave_);
        ::close(master_);
    }
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // True once the text showed, false after the time-out.
    bool waitFor(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (screen_.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline)
            readScreen(100);
        return screen_.find(text) != std::string::npos;
    }
    void type(const std::string& keys)
    {
        ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    void signal(int number) { ::kill(pid_, number); }
    bool echoOn() const
    {
        termios settings{};
        return ::tcgetattr(slave_, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
    }
    // The exit code; -1 when a signal killed the program or it did not end within 30 seconds.
    int exitCode()
    {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!exited_ && std::chrono::steady_clock::now() < deadline) {
            readScreen(50);
            exited_ = ::waitpid(pid_, &status, WNOHANG) == pid_;
        }
        readScreen(50); // what it wrote just before it ended
        return exited_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& screen() const { return screen_; }

private:
    void readScreen(int waitMs)
    {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, waitMs) <= 0 || (fd.revents & POLLIN) == 0)
            return;
        char buffer[512];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0)
            screen_.append(buffer, static_cast<std::size_t>(n));
    }

    pid_t pid_ = -1;
    int master_ = -1;
    int slave_ = -1;
    bool exited_ = false;
    std::string screen_;
};

TEST_F(LinkCli, CtrlCAtTheWritePasswordPromptBringsTheEchoBackAndLeavesTheMode)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    sim::SimConfig config;
    config.writePassword = std::array<uint8_t, 6>{'a', 'b', 'c', '1', '2', '3'};
    InProcessSim radio(link(), config, 0x0400, false);
    ASSERT_TRUE(radio.ready());

    TerminalSession terminal({"write", "--port", link(), "--yes", file("new.dat")});
    ASSERT_TRUE(terminal.waitFor(message(1026) + ": ")) << terminal.screen();
    EXPECT_FALSE(terminal.echoOn()) << "the password is typed unseen";
    terminal.type("ab\x03");
    const int exitCode = terminal.exitCode();
    EXPECT_GT(exitCode, 0) << "the program ended by the signal, or did not end";
    EXPECT_TRUE(terminal.echoOn());

    const sim::SimRepeater& repeater = radio.stop();
    EXPECT_FALSE(repeater.inMode());
    EXPECT_EQ(repeater.leaveCount(), 1);
    EXPECT_EQ(repeater.prepareCount(), 0);
}

// Ctrl+C or SIGTERM in the middle of a transfer: the program leaves the mode (or abandons the
// write) before it ends, and exits as the signal would have it.
TEST_F(LinkCli, ASignalDuringATransferEndsTheSessionFirst)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        std::string progress;
        int signal; // 0: Ctrl+C typed on the terminal
        int exitCode;
        int leaves;
        int abandons;
        std::string stopped;
    };
    const Case cases[] = {
        {"read, Ctrl+C",
         {"read", "--port", link(), "-o", file("read.dat")},
         " 5 / 167",
         0,
         128 + SIGINT,
         1,
         0,
         "The read was stopped at block "},
        {"write, SIGTERM",
         {"write", "--port", link(), "--yes", file("new.dat")},
         " 5 / 165",
         SIGTERM,
         128 + SIGTERM,
         0,
         1,
         "The write was stopped."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Paced to the wire time, so the transfer is still running when the signal comes.
        InProcessSim radio(link(), {}, 0x0400, true);
        ASSERT_TRUE(radio.ready());
        TerminalSession terminal(c.arguments);
        ASSERT_TRUE(terminal.waitFor(message(551) + c.progress)) << terminal.screen();
        if (c.signal == 0)
            terminal.type("\x03");
        else
            terminal.signal(c.signal);
        EXPECT_EQ(terminal.exitCode(), c.exitCode);
        EXPECT_EQ(terminal.screen().find(message(773)), std::string::npos) << "the repeater did answer";
        // The progress line is ended, then the stop is said (and for a write what it left behind).
        const std::string& screen = terminal.screen();
        const std::size_t said = screen.find(c.stopped);
        ASSERT_NE(said, std::string::npos) << screen;
        const std::size_t lastProgress = screen.rfind(message(551) + " ", said);
        ASSERT_NE(lastProgress, std::string::npos) << screen;
        EXPECT_LT(screen.find('\n', lastProgress), said) << screen;
        EXPECT_EQ(screen.find("part of the new data") != std::string::npos, c.abandons == 1) << screen;
        const sim::SimRepeater& repeater = radio.stop();
        EXPECT_FALSE(repeater.inMode());
        EXPECT_EQ(repeater.leaveCount(), c.leaves);
        EXPECT_EQ(repeater.abandonCount(), c.abandons);
        const auto& log = repeater.commandLog();
        const auto blocks = std::count_if(log.begin(), log.end(), [](uint8_t command) {
            return command == proto::kBlockRead || command == proto::kBlockReadAlt ||
                   command == proto::kBlockWrite || command == proto::kBlockWriteAlt ||
                   command == proto::kFillWrite;
        });
        EXPECT_LT(blocks, 40) << "the transfer went on to its end";
    }
    EXPECT_FALSE(std::filesystem::exists(file("read.dat")));
}

TEST_F(LinkCli, ARepeaterWithALaterDataFormatIsNotSaved)
{
    ASSERT_EQ(cli("new --model-code 0x0400 -o " + file("new.dat")).exitCode, 0);
    ASSERT_EQ(cli("export-raw " + file("new.dat") + " " + file("later.bin")).exitCode, 0);
    std::vector<uint8_t> raw = readBytes(file("later.bin"));
    raw[kDataFormatOffset] = '2';
    writeBytes(file("later.bin"), raw);
    startSim("--image " + file("later.bin"));
    const CliRun run = cli("read --port " + link() + " -o " + file("later.dat"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find(message(824)), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(file("later.dat")));
}

TEST_F(LinkCli, NoRepeaterOnTheLine)
{
    const CliRun missing = cli("read --port " + file("nothing.tty") + " -o " + file("x.dat"));
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.errors.find(message(772)), std::string::npos) << missing.errors;
}

} // namespace
} // namespace rps::test
