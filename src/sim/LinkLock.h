#pragma once
// The lock beside a simulator's link ("LINK.lock"): the simulator that serves the link holds it
// (flock) for as long as it runs and writes its process id into it. A second simulator asked
// for the same link is refused while the first lives; a lock nobody holds was left by one that
// died, and the link beside it is stale.
#include <string>

namespace rps::sim {

class LinkLock {
public:
    LinkLock() = default;
    ~LinkLock(); // the lock file is removed while still held
    LinkLock(const LinkLock&) = delete;
    LinkLock& operator=(const LinkLock&) = delete;

    // False with a reason when a running simulator holds the link or the lock cannot be made.
    bool acquire(const std::string& linkPath, std::string& error);
    bool held() const { return fd_ >= 0; }

private:
    std::string path_;
    int fd_ = -1;
};

std::string linkLockPath(const std::string& linkPath);

} // namespace rps::sim
