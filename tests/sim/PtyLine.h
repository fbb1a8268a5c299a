#pragma once
// The PC's end of a simulated repeater run in this process: rps360t-sim's pseudo-terminal host
// serves on its own thread, and the test opens the link like a serial port, sets the line
// speed and exchanges raw bytes.
#include "sim/PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace rps::test {

class ServedHost {
public:
    explicit ServedHost(sim::SimProgramOptions options, sim::SimMemory memory = sim::defaultMemory(0x0400))
        : options_(std::move(options)), repeater_(options_.config, std::move(memory)),
          host_(repeater_, options_)
    {
        started_ = host_.start(error_);
        if (started_)
            thread_ = std::thread([this] { host_.run(stop_); });
    }
    ~ServedHost()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    ServedHost(const ServedHost&) = delete;
    ServedHost& operator=(const ServedHost&) = delete;

    bool started() const { return started_; }
    const std::string& error() const { return error_; }
    const std::string& slavePath() const { return host_.slavePath(); }

private:
    sim::SimProgramOptions options_;
    sim::SimRepeater repeater_;
    sim::PtyHost host_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    bool started_ = false;
    std::string error_;
};

class PcLine {
public:
    explicit PcLine(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    ~PcLine()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PcLine(const PcLine&) = delete;
    PcLine& operator=(const PcLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool setSpeed(speed_t speed)
    {
        termios settings{};
        if (::tcgetattr(fd_, &settings) != 0)
            return false;
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
        return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
    }
    bool send(std::string_view bytes)
    {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // The next byte from the repeater, or nothing after the time-out.
    std::optional<uint8_t> receive(int timeoutMs = 2000)
    {
        pollfd fd{fd_, POLLIN, 0};
        uint8_t byte = 0;
        if (::poll(&fd, 1, timeoutMs) <= 0 || ::read(fd_, &byte, 1) != 1)
            return std::nullopt;
        return byte;
    }

private:
    int fd_ = -1;
};

} // namespace rps::test
