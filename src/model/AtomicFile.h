#pragma once
// Replaces a file as a whole or not at all: the bytes go to a temporary file in the target's
// folder, are flushed to the disk, and only then is the temporary renamed over the target.
// Whatever fails, the previous file stays exactly as it was and no temporary is left behind.
// A read-only target is refused like a failed create; a symbolic link is followed.
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

    // Creates the temporary file; false with systemError() set when the folder refuses it.
    bool open();
    // Appends bytes; false on the first failure (later calls keep failing).
    bool write(std::span<const uint8_t> bytes);
    // Flushes, closes and renames over the target. False on any failure (temporary removed).
    bool commit();

    int systemError() const { return error_; }

private:
    void abandon();

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
};

} // namespace rps
