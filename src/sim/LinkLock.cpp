#include "sim/LinkLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rps::sim {

namespace {

constexpr int kAttempts = 10;

// A simulator that ends removes its lock file while it holds it: the file we locked may no
// longer be the one under the name.
bool nameLeadsTo(const std::string& path, int fd)
{
    struct stat named {};
    struct stat open {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

std::string holderOf(int fd)
{
    char buffer[32] = {};
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    std::string pid(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' '))
        pid.pop_back();
    return pid;
}

} // namespace

std::string linkLockPath(const std::string& linkPath)
{
    return linkPath + ".lock";
}

LinkLock::~LinkLock()
{
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool LinkLock::acquire(const std::string& linkPath, std::string& error)
{
    const std::string path = linkLockPath(linkPath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            error = "cannot lock " + linkPath + ": " + path + ": " + std::strerror(errno);
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            const std::string holder = reason == EWOULDBLOCK ? holderOf(fd) : std::string();
            ::close(fd);
            if (reason == EWOULDBLOCK)
                error = linkPath + " is the link of a simulator that is still running" +
                        (holder.empty() ? std::string() : " (pid " + holder + ")") +
                        "; end it or give this one another --link";
            else
                error = "cannot lock " + linkPath + ": " + path + ": " + std::strerror(reason);
            return false;
        }
        if (!nameLeadsTo(path, fd)) {
            ::close(fd);
            continue;
        }
        // The number only names us to a second simulator; the lock is what counts.
        const std::string pid = std::to_string(::getpid()) + "\n";
        if (::ftruncate(fd, 0) == 0)
            (void)!::pwrite(fd, pid.data(), pid.size(), 0);
        path_ = path;
        fd_ = fd;
        return true;
    }
    error = "cannot lock " + linkPath + ": " + path + " keeps changing";
    return false;
}

} // namespace rps::sim
