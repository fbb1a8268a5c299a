// A port in use stays with its holder: a second open of the same device through any path
// fails without touching the holder's line settings, and the reason reaches the user.
#include "CliRun.h"
#include "SimProcess.h"
#include "TestPaths.h"
#include "model/TempFolder.h"

#include "link/qt/QtSerialDevice.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>

namespace rps::test {
namespace {

class PortLock : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "e2e_port_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            application = new QCoreApplication(argc, argv);
    }
    void SetUp() override
    {
        sim = std::make_unique<SimProcess>(RPS_SIM_PROGRAM, std::vector<std::string>{"--link", link()});
        ASSERT_TRUE(sim->ready());
        pts = std::filesystem::read_symlink(link()).string();
    }
    std::string link() const { return folder.file("sim.tty"); }
    // The line speed as the device holds it, read without opening through Qt.
    speed_t speedOf(const std::string& path) const
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        const bool read = fd >= 0 && ::tcgetattr(fd, &settings) == 0;
        if (fd >= 0)
            ::close(fd);
        return read ? ::cfgetospeed(&settings) : B0;
    }

    static inline QCoreApplication* application = nullptr;
    TempFolder folder;
    std::unique_ptr<SimProcess> sim;
    std::string pts;
};

TEST_F(PortLock, ASecondOpenByAnyPathFailsAndLeavesTheHoldersLineAlone)
{
    QtSerialDevice holder;
    ASSERT_TRUE(holder.open(link()));
    ASSERT_TRUE(holder.applyLineSettings(LineSettings{19200, 'N', 8, 2}));
    ASSERT_EQ(speedOf(pts), B19200);

    const std::string secondLink = folder.file("second.tty");
    std::filesystem::create_symlink(pts, secondLink);
    for (const std::string& path : {secondLink, pts, link()}) {
        QtSerialDevice intruder;
        EXPECT_FALSE(intruder.open(path)) << path;
        EXPECT_EQ(intruder.lastOpenFailure().systemError, EWOULDBLOCK) << path;
        EXPECT_EQ(speedOf(pts), B19200) << "the open through " << path << " changed the holder's line";
    }
    // Once the holder lets go, the port opens again.
    ASSERT_TRUE(holder.close());
    QtSerialDevice next;
    EXPECT_TRUE(next.open(secondLink));
}

// The CLI names the device, the system's reason and what to do about it.
TEST_F(PortLock, TheCliSaysWhyThePortDidNotOpen)
{
    {
        // Busy: this test process holds the lock, so it is the program named.
        const int fd = ::open(pts.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        const CliRun run = runCli("read --port " + link() + " -o " + folder.file("out.dat"), folder);
        ::close(fd);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.errors.find("cannot be opened"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(link() + ": Device or resource busy"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find("(pid " + std::to_string(::getpid()) + ")"), std::string::npos)
            << run.errors;
    }
    if (!std::filesystem::exists("/dev/ttyUSB9")) {
        // A bare device name that is nowhere is the USB adapter that is not plugged in.
        const CliRun run = runCli("read --port ttyUSB9 -o " + folder.file("out.dat"), folder);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.errors.find("/dev/ttyUSB9: No such file or directory"), std::string::npos)
            << run.errors;
        EXPECT_NE(run.errors.find("brltty"), std::string::npos) << run.errors;
    }
    {
        const CliRun run =
            runCli("read --port " + folder.file("ttyUSB9") + " -o " + folder.file("out.dat"), folder);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.errors.find(folder.file("ttyUSB9") + ": No such file or directory"), std::string::npos)
            << run.errors;
        EXPECT_EQ(run.errors.find("brltty"), std::string::npos) << run.errors;
    }
    {
        // A user outside the terminal's group: the system denies it even though we run as root.
        ::chmod(pts.c_str(), 0600);
        std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
        const std::string command = std::string("setpriv --reuid=65534 --regid=65534 --clear-groups ") +
                                    RPS_CLI_PROGRAM + " read --port " + link() + " -o " +
                                    folder.file("out.dat") + " </dev/null 2>" + folder.file("denied.txt");
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to run the child as another user";
        EXPECT_NE(std::system(command.c_str()), 0);
        const auto errors = readBytes(folder.file("denied.txt"));
        const std::string text(errors.begin(), errors.end());
        EXPECT_NE(text.find("Permission denied"), std::string::npos) << text;
        EXPECT_NE(text.find("dialout"), std::string::npos) << text;
    }
}

} // namespace
} // namespace rps::test
