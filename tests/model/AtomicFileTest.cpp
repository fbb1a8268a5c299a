// Saving over what the target name really is: regular files are replaced as a whole, pipes and
// devices are written where they are, and what cannot be written is refused with its reason.
#include "TempFolder.h"

#include "model/AtomicFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

using namespace rps;
using rps::test::readBytes;
using rps::test::TempFolder;
using rps::test::writeBytes;

namespace {

const std::vector<uint8_t> kContent(3000, 0x5A);

struct Saved {
    bool ok = false;
    int error = 0;
};

Saved save(const std::string& path, const std::vector<uint8_t>& bytes = kContent)
{
    AtomicFileWriter file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    return {ok, file.systemError()};
}

mode_t modeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

mode_t typeOf(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & S_IFMT;
}

std::vector<std::string> namesIn(const TempFolder& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Reads a pipe to its end on a thread of its own, as the program at the other end would; gives
// up after ten seconds without a writer, so a pipe that was replaced fails the test, not hangs it.
class PipeReader {
public:
    explicit PipeReader(const std::string& path)
        : thread_([this, path] {
              const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
              if (fd < 0)
                  return;
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
              while (std::chrono::steady_clock::now() < deadline) {
                  pollfd ready{fd, POLLIN, 0};
                  if (::poll(&ready, 1, 100) <= 0)
                      continue;
                  uint8_t buffer[4096];
                  const ssize_t n = ::read(fd, buffer, sizeof buffer);
                  if (n == 0)
                      break;
                  if (n > 0)
                      bytes_.insert(bytes_.end(), buffer, buffer + n);
              }
              ::close(fd);
          })
    {
    }
    std::vector<uint8_t> finish()
    {
        thread_.join();
        return bytes_;
    }

private:
    std::vector<uint8_t> bytes_;
    std::thread thread_;
};

class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }

private:
    mode_t previous_;
};

} // namespace

TEST(AtomicFile, APipeIsWrittenWhereItIsAndStaysAPipe)
{
    TempFolder folder;
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    PipeReader reader(pipe);
    const Saved saved = save(pipe);
    EXPECT_TRUE(saved.ok) << std::strerror(saved.error);
    EXPECT_TRUE(reader.finish() == kContent) << "the pipe did not get the bytes";
    EXPECT_EQ(typeOf(pipe), static_cast<mode_t>(S_IFIFO));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"pipe"});
}

TEST(AtomicFile, ADeviceIsWrittenInPlaceAndStaysADevice)
{
    TempFolder folder;
    const std::string device = folder.file("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here: " << std::strerror(errno);
    // Reached through a link as well: the link names the device.
    const std::string link = folder.file("link-to-null");
    std::filesystem::create_symlink(device, link);
    for (const std::string& target : {device, link}) {
        SCOPED_TRACE(target);
        const Saved saved = save(target);
        EXPECT_TRUE(saved.ok) << std::strerror(saved.error);
        EXPECT_EQ(typeOf(device), static_cast<mode_t>(S_IFCHR));
    }
    EXPECT_EQ(typeOf(link), static_cast<mode_t>(S_IFLNK));
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"link-to-null", "null"}));
}

TEST(AtomicFile, ADanglingLinkGetsItsTargetCreatedAndStaysALink)
{
    TempFolder folder;
    const std::string link = folder.file("link.dat");
    std::filesystem::create_symlink("made.dat", link); // relative to the link's folder
    const Saved saved = save(link);
    EXPECT_TRUE(saved.ok) << std::strerror(saved.error);
    EXPECT_EQ(typeOf(link), static_cast<mode_t>(S_IFLNK));
    EXPECT_TRUE(readBytes(folder.file("made.dat")) == kContent) << "the link target was not made";
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"link.dat", "made.dat"}));
}

TEST(AtomicFile, WhatCannotBeWrittenIsRefusedWithTheSystemsReason)
{
    TempFolder folder;
    const std::string loop = folder.file("loop.dat");
    std::filesystem::create_symlink("other.dat", loop);
    std::filesystem::create_symlink("loop.dat", folder.file("other.dat"));
    std::filesystem::create_directory(folder.file("folder.dat"));
    const std::string socketPath = folder.file("socket.dat");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    struct Case {
        std::string path;
        int error;
    };
    for (const Case& c :
         {Case{loop, ELOOP}, Case{folder.file("folder.dat"), EISDIR}, Case{socketPath, ENXIO}}) {
        SCOPED_TRACE(c.path);
        const Saved saved = save(c.path);
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.error, c.error) << std::strerror(saved.error);
    }
    ::close(listening);
    EXPECT_EQ(typeOf(loop), static_cast<mode_t>(S_IFLNK));
    EXPECT_EQ(typeOf(socketPath), static_cast<mode_t>(S_IFSOCK));
    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{"folder.dat", "loop.dat", "other.dat", "socket.dat"}));
}

TEST(AtomicFile, ANewFileGetsTheCreateModeAndAReplacedFileKeepsItsOwn)
{
    TempFolder folder;
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
        SCOPED_TRACE(mask);
        const UmaskScope scope(mask);
        const std::string fresh = folder.file("new-" + std::to_string(mask) + ".dat");
        ASSERT_TRUE(save(fresh).ok);
        EXPECT_EQ(modeOf(fresh), 0666 & ~mask);
    }
    const UmaskScope scope(022);
    for (const mode_t kept : {mode_t{0640}, mode_t{0600}, mode_t{0664}, mode_t{0604}}) {
        SCOPED_TRACE(kept);
        const std::string existing = folder.file("old.dat");
        writeBytes(existing, {1, 2, 3});
        ASSERT_EQ(::chmod(existing.c_str(), kept), 0);
        ASSERT_TRUE(save(existing).ok);
        EXPECT_EQ(modeOf(existing), kept);
        EXPECT_EQ(readBytes(existing), kContent);
    }
}

TEST(AtomicFile, AReplacedFileKeepsItsOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another user";
    TempFolder folder;
    const std::string existing = folder.file("theirs.dat");
    writeBytes(existing, {1, 2, 3});
    ASSERT_EQ(::chown(existing.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(save(existing).ok);
    struct stat st {};
    ASSERT_EQ(::stat(existing.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(existing), kContent);
}

// A temporary is locked while its save runs; one nobody holds was left by a save that died, and
// the next save of the same file removes it.
TEST(AtomicFile, ASaveRemovesStaleTemporariesButNotOneThatIsHeld)
{
    TempFolder folder;
    const std::string target = folder.file("x.dat");
    writeBytes(folder.file(".x.dat.Stale1"), {1});
    writeBytes(folder.file(".x.dat.Held22"), {2});
    writeBytes(folder.file(".y.dat.Other3"), {3});  // another file's temporary
    writeBytes(folder.file(".x.dat.toolong"), {4}); // not a temporary's name
    const int held = ::open(folder.file(".x.dat.Held22").c_str(), O_RDWR);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(save(target).ok);
    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{".x.dat.Held22", ".x.dat.toolong", ".y.dat.Other3", "x.dat"}));
    ::close(held);

    // A save in progress holds its temporary: a second save of the same file leaves it alone.
    AtomicFileWriter first(target);
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(first.write(kContent));
    std::string temporary;
    for (const std::string& name : namesIn(folder))
        if (name.starts_with(".x.dat.") && name.size() == std::string(".x.dat.").size() + 6 &&
            name != ".x.dat.Held22")
            temporary = folder.file(name);
    ASSERT_FALSE(temporary.empty());
    const int probe = ::open(temporary.c_str(), O_RDONLY);
    EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0) << "the temporary is not locked while it is written";
    ::close(probe);
    ASSERT_TRUE(save(target, {7, 7}).ok);
    EXPECT_TRUE(std::filesystem::exists(temporary));
    EXPECT_TRUE(first.commit()) << std::strerror(first.systemError());
    EXPECT_EQ(readBytes(target), kContent);
}
