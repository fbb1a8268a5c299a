#include "sim/PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>

namespace rps::sim {

namespace {

struct SpeedEntry {
    speed_t code;
    uint32_t baud;
};

constexpr std::array<SpeedEntry, 11> kSpeeds{{{B300, 300},
                                              {B600, 600},
                                              {B1200, 1200},
                                              {B2400, 2400},
                                              {B4800, 4800},
                                              {B9600, 9600},
                                              {B19200, 19200},
                                              {B38400, 38400},
                                              {B57600, 57600},
                                              {B115200, 115200},
                                              {B230400, 230400}}};

// Wire time of one byte: start bit, 8 data bits, 2 stop bits.
uint64_t byteTimeUs(uint32_t baud)
{
    return 11'000'000ull / std::max<uint32_t>(baud, 1);
}

struct Incoming {
    uint8_t byte;
    uint32_t baud;
    uint64_t arrivalUs;
};

struct Outgoing {
    uint8_t byte;
    uint32_t baud;
    uint64_t leftUs; // the time it has left the wire
};

} // namespace

PtyHost::PtyHost(SimRepeater& repeater, const SimProgramOptions& options)
    : repeater_(repeater), options_(options)
{
}

PtyHost::~PtyHost()
{
    // Only a link that still leads to our pseudo-terminal is ours to remove.
    std::error_code ec;
    if (linked_ && std::filesystem::read_symlink(options_.linkPath, ec) == slavePath_)
        ::unlink(options_.linkPath.c_str());
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyHost::start(std::string& error)
{
    // A link that a running simulator serves is never taken over; one left by a simulator
    // that died is replaced.
    if (!options_.linkPath.empty() && !linkLock_.acquire(options_.linkPath, error))
        return false;
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    slavePath_ = name;
    // Holding the slave open keeps the line up between the PC's connections.
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        error = std::string("cannot open the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    ::tcsetattr(slave_, TCSANOW, &settings);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    if (!options_.linkPath.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(options_.linkPath, ec))
            std::filesystem::remove(options_.linkPath, ec);
        if (::symlink(slavePath_.c_str(), options_.linkPath.c_str()) != 0) {
            error = "cannot link " + options_.linkPath + ": " + std::strerror(errno);
            return false;
        }
        linked_ = true;
    }
    return true;
}

uint32_t PtyHost::lineBaud() const
{
    termios settings{};
    if (::tcgetattr(master_, &settings) != 0)
        return 0;
    const speed_t code = ::cfgetospeed(&settings);
    for (const SpeedEntry& s : kSpeeds)
        if (s.code == code)
            return s.baud;
    return 0;
}

uint64_t PtyHost::nowUs() const
{
    static const auto epoch = std::chrono::steady_clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - epoch)
            .count());
}

void PtyHost::dumpImage() const
{
    if (options_.dumpPath.empty())
        return;
    const ImageAreas areas = repeater_.memory().toAreas();
    const std::string temporary = options_.dumpPath + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(areas.main.data()),
                  static_cast<std::streamsize>(areas.main.size()));
        out.write(reinterpret_cast<const char*>(areas.aux.data()),
                  static_cast<std::streamsize>(areas.aux.size()));
        out.write(reinterpret_cast<const char*>(areas.local.data()),
                  static_cast<std::streamsize>(areas.local.size()));
        if (!out)
            return;
    }
    std::filesystem::rename(temporary, options_.dumpPath);
}

void PtyHost::run(const std::atomic<bool>& stop)
{
    std::deque<Incoming> incoming;
    uint64_t inLineFreeUs = 0;
    uint64_t outLineFreeUs = 0;
    std::deque<Outgoing> outgoing;
    int sessionsEnded = 0;
    int sessionsDropped = 0;

    while (!stop.load()) {
        const uint64_t now = nowUs();
        const uint32_t baud = lineBaud();
        repeater_.poll(baud, now);

        // Bytes the PC wrote arrive one wire time after another when paced.
        std::array<uint8_t, 512> buffer{};
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        // The PC sets the speed before it writes and keeps it while it waits for the answer,
        // so the speed seen after the read is the one the bytes were sent at.
        const uint32_t sentAt = n > 0 ? lineBaud() : baud;
        for (ssize_t i = 0; i < n; ++i) {
            uint64_t arrival = now;
            if (options_.pace) {
                inLineFreeUs = std::max(inLineFreeUs, now) + byteTimeUs(sentAt);
                arrival = inLineFreeUs;
            }
            incoming.push_back(Incoming{buffer[static_cast<std::size_t>(i)], sentAt, arrival});
        }
        while (!incoming.empty() && incoming.front().arrivalUs <= nowUs()) {
            repeater_.receive(incoming.front().byte, incoming.front().baud, incoming.front().arrivalUs);
            incoming.pop_front();
        }
        // A new mode entry cut the session short: the rest of its last answer is never sent.
        if (repeater_.droppedCount() != sessionsDropped) {
            sessionsDropped = repeater_.droppedCount();
            outgoing.clear();
            outLineFreeUs = 0;
        }

        // The repeater's answers leave when due; paced, each takes its wire time.
        auto& output = repeater_.output();
        while (!output.empty() && output.front().dueUs <= nowUs()) {
            uint64_t leaves = nowUs();
            if (options_.pace) {
                outLineFreeUs =
                    std::max(outLineFreeUs, output.front().dueUs) + byteTimeUs(output.front().baud);
                leaves = outLineFreeUs;
            }
            outgoing.push_back(Outgoing{output.front().byte, output.front().baud, leaves});
            output.pop_front();
        }
        // A byte sent at another speed than the PC listens at is garbage to the PC's UART (the
        // rest of an answer still on the wire when a restarted PC hunts at 9600): it is lost.
        std::vector<uint8_t> ready;
        const uint32_t listening = lineBaud();
        while (!outgoing.empty() && outgoing.front().leftUs <= nowUs()) {
            if (outgoing.front().baud == listening)
                ready.push_back(outgoing.front().byte);
            outgoing.pop_front();
        }
        if (!ready.empty() && ::write(master_, ready.data(), ready.size()) < 0 && errno != EAGAIN)
            break;

        const int ended = repeater_.leaveCount() + repeater_.abandonCount() + repeater_.droppedCount();
        if (ended != sessionsEnded) {
            sessionsEnded = ended;
            dumpImage();
        }

        // Sleep until the next thing is due, but look at the line at least every millisecond.
        uint64_t wakeUs = nowUs() + 1000;
        if (!incoming.empty())
            wakeUs = std::min(wakeUs, incoming.front().arrivalUs);
        if (!outgoing.empty())
            wakeUs = std::min(wakeUs, outgoing.front().leftUs);
        if (!output.empty())
            wakeUs = std::min(wakeUs, output.front().dueUs);
        const uint64_t current = nowUs();
        const uint64_t waitUs = wakeUs > current ? wakeUs - current : 0;
        pollfd fd{master_, POLLIN, 0};
        const timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                               static_cast<long>((waitUs % 1'000'000) * 1000)};
        if (incoming.empty() || options_.pace)
            ::ppoll(&fd, 1, &timeout, nullptr);
    }
    dumpImage();
}

} // namespace rps::sim
