#include "model/LockedTemporary.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string_view>

namespace rps {

namespace {

constexpr std::string_view kNameCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 6;
constexpr int kCreateAttempts = 100;

struct Names {
    std::string folder;
    std::string prefix; // ".NAME."
};

Names namesFor(const std::string& targetPath)
{
    const auto slash = targetPath.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string prefix(1, '.');
    prefix.append(targetPath, nameStart);
    prefix.push_back('.');
    if (slash == std::string::npos)
        return {".", prefix};
    return {slash == 0 ? "/" : targetPath.substr(0, slash), prefix};
}

bool isTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kSuffixLength || !name.starts_with(prefix))
        return false;
    return name.substr(prefix.size()).find_first_not_of(kNameCharacters) == std::string_view::npos;
}

std::string randomSuffix()
{
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameCharacters.size() - 1);
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i)
        suffix.push_back(kNameCharacters[pick(generator)]);
    return suffix;
}

// True while the name still leads to the open file: a cleaner may have removed it between the
// create and the lock.
bool nameLeadsTo(const std::string& path, int fd)
{
    struct stat named {};
    struct stat open {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

} // namespace

LockedTemporary createLockedTemporary(const std::string& targetPath)
{
    const Names names = namesFor(targetPath);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string path = names.folder + "/" + names.prefix + randomSuffix();
        // 0666: the kernel takes the umask off, as for any new file.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {-1, {}, errno};
        }
        // Waits only for a cleaner that is looking at this very file.
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int error = errno;
                ::unlink(path.c_str());
                ::close(fd);
                return {-1, {}, error};
            }
        }
        if (nameLeadsTo(path, fd))
            return {fd, path, 0};
        ::close(fd);
    }
    return {-1, {}, EEXIST};
}

void removeStaleTemporaries(const std::string& targetPath)
{
    const Names names = namesFor(targetPath);
    DIR* folder = ::opendir(names.folder.c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTemporaryName(entry->d_name, names.prefix))
            continue;
        const std::string path = names.folder + "/" + entry->d_name;
        // Never follows a link and never waits on a pipe that happens to carry such a name.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // Only our own regular files, and only those no save holds locked.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && nameLeadsTo(path, fd))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(folder);
}

} // namespace rps
