#include "model/AtomicFile.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace rps {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file gets the permissions an ordinary create would give; a replaced file keeps its own.
mode_t modeForTarget(const std::string& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file the user has made read-only is not replaced: a plain create would be refused, and a
// rename would silently get round the protection. The write bits count even for the
// superuser, as a read-only file attribute would.
int refusalOfExistingTarget(const std::string& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0)
        return 0;
    if (S_ISDIR(existing.st_mode))
        return EISDIR;
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    if (::access(target.c_str(), W_OK) != 0)
        return errno;
    return 0;
}

// A target reached through a symbolic link is the file the link names: replacing the link
// itself would leave the linked file stale and the link gone.
std::string resolvedTarget(const std::string& target)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(target, error))
        return target;
    const std::filesystem::path resolved = std::filesystem::canonical(target, error);
    return error ? target : resolved.string();
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : target_(resolvedTarget(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter()
{
    abandon();
}

bool AtomicFileWriter::open()
{
    if (const int refusal = refusalOfExistingTarget(target_); refusal != 0) {
        error_ = refusal;
        return false;
    }
    const std::string folder = folderOf(target_);
    const auto slash = target_.find_last_of('/');
    const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = folder + "/." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    temporary_ = name.data();
    if (::fchmod(fd_, modeForTarget(target_)) != 0) {
        error_ = errno;
        abandon();
        return false;
    }
    return true;
}

bool AtomicFileWriter::write(std::span<const uint8_t> bytes)
{
    if (fd_ < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            abandon();
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFileWriter::commit()
{
    if (fd_ < 0)
        return false;
    // The data must be on the disk before the rename makes it the file the user sees.
    if (::fdatasync(fd_) != 0) {
        error_ = errno;
        abandon();
        return false;
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        error_ = errno;
        abandon();
        return false;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error_ = errno;
        abandon();
        return false;
    }
    // The folder is not synced: after a crash either the old or the complete new file is
    // there, which is all the user needs, and a folder sync would double the cost of a save.
    temporary_.clear();
    return true;
}

void AtomicFileWriter::abandon()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

} // namespace rps
