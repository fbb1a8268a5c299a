#pragma once
// The repeater's clock as the clock dialog reads and sets it. A clock either borrows a link
// that test mode already holds in tuning mode (no port open or close, no mode entry or exit),
// or opens its own connection: port, programming mode and identification on start, leave
// and close on stop.
#include "link/Transfers.h"

#include <memory>
#include <string>

namespace rps {

inline constexpr int kClockTickSkipped = 3;

struct ClockReading {
    std::string date; // "2026-12-07"
    std::string time; // "10:30:00"
};

// The dialog's texts of the twelve reply digits YYMMDDhhmmss.
ClockReading clockReadingOf(std::span<const uint8_t, 12> digits);

enum class ClockLink {
    Borrowed, // test mode holds the link in tuning mode
    Own,      // the clock opens, enters, leaves and closes itself
};

class RadioClock {
public:
    RadioClock(TransferContext& context, ClockLink link) : context_(&context), owning_(link == ClockLink::Own)
    {
    }
    RadioClock(const RadioClock&) = delete;
    RadioClock& operator=(const RadioClock&) = delete;
    ~RadioClock();

    // 0 = ready; 1 = failed with its message (the port is closed again).
    int start();
    // 0 = read; 1 = failed: message 773, an own connection is left and closed;
    // kClockTickSkipped = another exchange is running, nothing was sent.
    int read(ClockReading& reading);
    // Sends the PC's date and time with the set-clock command; results as read.
    int set();
    // Leaves the mode and closes the port when the connection is the clock's own.
    void stop();
    bool running() const { return running_; }
    bool ownsConnection() const { return owning_; }

private:
    int fail();

    TransferContext* context_;
    bool owning_;
    bool running_ = false;
    std::unique_ptr<LinkSession> session_;
};

} // namespace rps
