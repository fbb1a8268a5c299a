#include "model/AtomicFile.h"

#include "model/LockedTemporary.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace rps {

namespace {

// A file the user has made read-only is not replaced: a plain create would be refused, and a
// rename would silently get round the protection. The write bits count even for the
// superuser, as a read-only file attribute would.
int refusalOfExistingFile(const std::string& path, unsigned mode)
{
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    if (::access(path.c_str(), W_OK) != 0)
        return errno;
    return 0;
}

// The replacement belongs to whoever owned the file (the superuser editing another user's file);
// a user who may not give a file away still keeps its group when a member of it. Where neither
// is allowed the new file is the user's own, as with any editor that saves by renaming.
void keepOwner(int fd, const SaveTarget& target)
{
    struct stat created {};
    if (::fstat(fd, &created) != 0 || (created.st_uid == target.owner && created.st_gid == target.group))
        return;
    if (::fchown(fd, target.owner, target.group) != 0 && created.st_gid != target.group)
        (void)::fchown(fd, static_cast<uid_t>(-1), target.group);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : name_(std::move(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter()
{
    abandon();
}

bool AtomicFileWriter::open()
{
    const SaveTarget target = findSaveTarget(name_);
    switch (target.kind) {
    case SaveTarget::Kind::Replace:
        return openTemporary(target);
    case SaveTarget::Kind::InPlace:
        return openInPlace(target.path, target.streamFd);
    case SaveTarget::Kind::Refused:
        break;
    }
    return fail(target.error);
}

bool AtomicFileWriter::openInPlace(const std::string& path, int streamFd)
{
    // Our own stream is written through a copy of its descriptor, at the position and with the
    // append mode the shell gave it.
    fd_ = streamFd >= 0 ? ::fcntl(streamFd, F_DUPFD_CLOEXEC, 0)
                        : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd_ >= 0 || fail(errno);
}

bool AtomicFileWriter::openTemporary(const SaveTarget& target)
{
    const std::string& path = target.path;
    if (target.exists) {
        if (const int refusal = refusalOfExistingFile(path, target.mode); refusal != 0)
            return fail(refusal);
    }
    removeStaleTemporaries(path);
    const LockedTemporary temporary = createLockedTemporary(path);
    if (temporary.fd < 0)
        return fail(temporary.error);
    fd_ = temporary.fd;
    temporary_ = temporary.path;
    target_ = path;
    if (!target.exists)
        return true;
    keepOwner(fd_, target);
    // After the owner: a change of owner clears the set-user and set-group bits.
    return ::fchmod(fd_, target.mode) == 0 || fail(errno);
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
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFileWriter::commit()
{
    if (fd_ < 0)
        return false;
    if (temporary_.empty()) {
        // Written in place: a pipe or a device has nothing to flush or rename.
        return ::close(std::exchange(fd_, -1)) == 0 || fail(errno);
    }
    // The data must be on the disk before the rename makes it the file the user sees, and the
    // temporary stays locked until it is no longer a temporary.
    if (::fdatasync(fd_) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    // The bytes are on the disk and under the target's name: closing cannot lose them.
    ::close(std::exchange(fd_, -1));
    // The folder is not synced: after a crash either the old or the complete new file is
    // there, which is all the user needs, and a folder sync would double the cost of a save.
    return true;
}

bool AtomicFileWriter::fail(int error)
{
    error_ = error;
    abandon();
    return false;
}

void AtomicFileWriter::abandon()
{
    // Removed while still locked, so no other save mistakes it for its own leftovers.
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace rps
