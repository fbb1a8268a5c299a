#include "link/TraceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace rps {

int TraceFile::start(const std::string& path)
{
    stop();
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::exists(folder, error)) {
        std::filesystem::create_directories(folder.parent_path(), error);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    // Made private before anything is written to it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    file_ = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc);
    if (!*file_) {
        file_.reset();
        return EIO;
    }
    trace_ = std::make_unique<LinkTrace>(*file_);
    port_.setTrace(trace_.get());
    path_ = path;
    return 0;
}

void TraceFile::stop()
{
    if (port_.trace() == trace_.get())
        port_.setTrace(nullptr);
    trace_.reset();
    file_.reset();
}

} // namespace rps
