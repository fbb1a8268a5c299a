#pragma once
// Where a save to a name really writes, decided by the file type at the end of the symbolic
// links: a regular file (or a name where nothing is yet) is replaced as a whole; a pipe, a
// device or one of our own standard streams is written where it is; anything else is refused
// with the system's reason.
#include <string>
#include <sys/types.h>

namespace rps {

struct SaveTarget {
    enum class Kind { Replace, InPlace, Refused };

    Kind kind = Kind::Refused;
    // Replace: the file at the end of the links, which may not exist yet. InPlace: the name.
    std::string path;
    bool exists = false; // Replace: a file is there; it keeps its mode
    mode_t mode = 0;     // its permission bits
    uid_t owner = 0;     // and its owner and group, which a replacement keeps where it may
    gid_t group = 0;
    int streamFd = -1; // InPlace: 1 or 2 when the name leads to our standard output or error
    int error = 0;     // Refused: errno
};

SaveTarget findSaveTarget(const std::string& name);

} // namespace rps
