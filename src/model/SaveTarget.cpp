#include "model/SaveTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace rps {

namespace {

// As many links as the kernel follows before it reports a loop.
constexpr int kMaxLinks = 40;

SaveTarget refused(int error)
{
    SaveTarget target;
    target.error = error;
    return target;
}

SaveTarget replaced(std::string path, const struct stat* existing)
{
    SaveTarget target;
    target.kind = SaveTarget::Kind::Replace;
    target.path = std::move(path);
    if (existing) {
        target.exists = true;
        target.mode = existing->st_mode & 07777;
        target.owner = existing->st_uid;
        target.group = existing->st_gid;
    }
    return target;
}

SaveTarget inPlace(const std::string& name, int streamFd)
{
    SaveTarget target;
    target.kind = SaveTarget::Kind::InPlace;
    target.path = name;
    target.streamFd = streamFd;
    return target;
}

// 1 or 2 when the file is the one our standard output or error is open on, else -1: "-o
// /dev/stdout" writes into the stream, at its position, whatever the stream is.
int standardStreamOf(const struct stat& file)
{
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == file.st_dev && stream.st_ino == file.st_ino)
            return fd;
    }
    return -1;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// What a symbolic link says, or nothing with errno set.
std::optional<std::string> linkText(const std::string& link)
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (n < 0)
        return std::nullopt;
    if (static_cast<std::size_t>(n) >= buffer.size()) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

// Nothing exists under the name after following its links: follows them one by one to the
// name where the file is to be made (the name itself when it is no link).
SaveTarget endOfLinks(const std::string& name)
{
    std::string path = name;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? replaced(path, nullptr) : refused(errno);
        if (!S_ISLNK(st.st_mode))
            return S_ISREG(st.st_mode) ? replaced(path, &st) : refused(EEXIST); // made meanwhile
        const std::optional<std::string> next = linkText(path);
        if (!next)
            return refused(errno);
        path = !next->empty() && next->front() == '/' ? *next : folderOf(path) + "/" + *next;
    }
    return refused(ELOOP);
}

} // namespace

SaveTarget findSaveTarget(const std::string& name)
{
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0)
        return errno == ENOENT ? endOfLinks(name) : refused(errno);
    if (const int stream = standardStreamOf(st); stream >= 0)
        return inPlace(name, stream);
    if (S_ISDIR(st.st_mode))
        return refused(EISDIR);
    if (S_ISREG(st.st_mode)) {
        // The file the links end at is replaced, so the links keep naming it.
        const std::unique_ptr<char, decltype(&std::free)> real(::realpath(name.c_str(), nullptr), &std::free);
        return real ? replaced(real.get(), &st) : refused(errno);
    }
    // A pipe or a device takes the bytes where it is; a socket refuses the open with its reason.
    return inPlace(name, -1);
}

} // namespace rps
