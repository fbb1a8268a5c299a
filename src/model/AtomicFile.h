#pragma once
// Saves a file as a whole or not at all. Over a regular file (or where nothing is yet) the
// bytes go to a locked temporary file in the target's folder, are flushed to the disk, and only
// then is the temporary renamed over the target: whatever fails, the previous file stays
// exactly as it was and no temporary is left behind. A new file gets 0666 less the umask, a
// replaced one keeps its mode, and its owner and group where the user may give them. Symbolic links are
// followed and stay (a dangling one gets its target made); a pipe, a device or our own standard output is
// written where it is; a folder, a link loop, a socket or a read-only file is refused with the system's
// reason.
#include "model/SaveTarget.h"

#include <cstdint>
#include <span>
#include <string>

namespace rps {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter(); // an uncommitted temporary is removed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Opens what the bytes go to; false with systemError() set when the target refuses it.
    bool open();
    // Appends bytes; false on the first failure (later calls keep failing).
    bool write(std::span<const uint8_t> bytes);
    // Flushes, closes and renames over the target. False on any failure (temporary removed).
    bool commit();

    int systemError() const { return error_; }

private:
    bool openInPlace(const std::string& path, int streamFd);
    bool openTemporary(const SaveTarget& target);
    bool fail(int error);
    void abandon();

    std::string name_;
    std::string target_;    // the regular file a rename replaces; empty when written in place
    std::string temporary_; // while a temporary is open
    int fd_ = -1;
    int error_ = 0;
};

} // namespace rps
