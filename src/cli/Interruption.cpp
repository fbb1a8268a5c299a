#include "cli/Interruption.h"

#include <poll.h>
#include <pthread.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace rps::cli {

namespace {

constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};

// Lock-free, so the handler may write it.
std::atomic<int> noted{0};
static_assert(std::atomic<int>::is_always_lock_free);

std::array<struct sigaction, kSignals.size()> previous{};

void noteSignal(int signal)
{
    noted.store(signal);
}

} // namespace

InterruptionScope::InterruptionScope()
{
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // The serial port's reads and writes go on undisturbed; a prompt notices through waitForInput.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
}

InterruptionScope::~InterruptionScope()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
}

bool interruptionRequested()
{
    return noted.load() != 0;
}

bool waitForInput(int fd)
{
    sigset_t ours;
    sigemptyset(&ours);
    for (const int signal : kSignals)
        sigaddset(&ours, signal);
    // Held back until ppoll lets them in atomically: the flag is looked at with the signals blocked.
    sigset_t before;
    ::pthread_sigmask(SIG_BLOCK, &ours, &before);
    bool ready = false;
    while (!interruptionRequested()) {
        pollfd input{fd, POLLIN, 0};
        if (::ppoll(&input, 1, nullptr, &before) > 0) {
            ready = true;
            break;
        }
        if (errno != EINTR)
            break;
    }
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return ready;
}

int interruptionExitCode()
{
    return 128 + noted.load();
}

} // namespace rps::cli
