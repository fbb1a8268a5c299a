#pragma once
// The temporary file a save writes before it renames it over the target: ".NAME.XXXXXX" in the
// target's folder, created with the usual create mode (0666 less the umask) and locked (flock)
// for as long as the save holds it. A temporary that nobody holds was left by a save that died;
// the next save of the same target removes it.
#include <string>

namespace rps {

struct LockedTemporary {
    int fd = -1;      // open for writing and locked; -1 on failure
    std::string path; // its name
    int error = 0;    // errno when fd is -1
};

// Creates and locks a new temporary for the file at targetPath.
LockedTemporary createLockedTemporary(const std::string& targetPath);

// Removes the temporaries of targetPath that no save holds; a save in progress keeps its own.
void removeStaleTemporaries(const std::string& targetPath);

} // namespace rps
