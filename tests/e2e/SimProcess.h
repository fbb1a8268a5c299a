#pragma once
// Runs rps360t-sim as its own process on a pseudo-terminal for the length of a test or a
// benchmark; the link path is ready when the constructor returns.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

extern char** environ;

namespace rps::test {

class SimProcess {
public:
    SimProcess(const std::string& program, std::vector<std::string> arguments)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        arguments.insert(arguments.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        // The program prints the pseudo-terminal and the link once both exist.
        std::string printed;
        pollfd fd{out[0], POLLIN, 0};
        while (pid_ > 0 && std::count(printed.begin(), printed.end(), '\n') < 2 && ::poll(&fd, 1, 5000) > 0) {
            char buffer[256];
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            printed.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(out[0]);
        ready_ = std::count(printed.begin(), printed.end(), '\n') >= 2;
    }
    ~SimProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ready() const { return ready_; }

    // Ends the program and waits, so files it writes on the way out are complete.
    void stop()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

} // namespace rps::test
