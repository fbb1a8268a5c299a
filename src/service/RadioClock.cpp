#include "service/RadioClock.h"

#include "link/LinkTexts.h"
#include "link/TransferSteps.h"

#include <array>

namespace rps {

using namespace transfer;

namespace {

std::string pairs(std::span<const uint8_t> digits, const char* prefix, char separator)
{
    std::string text = prefix;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (i > 0)
            text += separator;
        text += static_cast<char>(digits[i]);
        text += static_cast<char>(digits[i + 1]);
    }
    return text;
}

} // namespace

ClockReading clockReadingOf(std::span<const uint8_t, 12> digits)
{
    return {pairs(digits.first(6), "20", '-'), pairs(digits.subspan(6, 6), "", ':')};
}

RadioClock::~RadioClock()
{
    stop();
}

int RadioClock::start()
{
    if (running_)
        return kLinkOk;
    if (!owning_) {
        running_ = true;
        return kLinkOk;
    }
    session_ = std::make_unique<LinkSession>(context_->link);
    if (!*session_) {
        session_.reset();
        return kLinkFailed;
    }
    RadioLink& link = context_->link;
    ModelRecord record{};
    if (!reopenPort(*context_)) {
        session_.reset();
        return kLinkFailed;
    }
    link.delay(50);
    if (link.enterProgramMode() != kLinkOk || link.identify(record) != kLinkOk) {
        failLeaveClose(*context_, texts::kNoAnswer);
        session_.reset();
        return kLinkFailed;
    }
    running_ = true;
    return kLinkOk;
}

int RadioClock::fail()
{
    showError(*context_, texts::kNoAnswer);
    if (owning_) {
        leaveAndClose(*context_);
        session_.reset();
    }
    running_ = false;
    return kLinkFailed;
}

int RadioClock::read(ClockReading& reading)
{
    if (!running_)
        return kLinkFailed;
    if (context_->link.exchanging())
        return kClockTickSkipped;
    std::array<uint8_t, 12> digits{};
    if (context_->link.readRadioClock(digits) != kLinkOk)
        return fail();
    reading = clockReadingOf(digits);
    return kLinkOk;
}

int RadioClock::set()
{
    if (!running_)
        return kLinkFailed;
    if (context_->link.exchanging())
        return kClockTickSkipped;
    if (context_->link.setRadioClock() != kLinkOk)
        return fail();
    return kLinkOk;
}

void RadioClock::stop()
{
    if (!running_)
        return;
    running_ = false;
    if (owning_) {
        context_->link.leaveMode();
        context_->link.close();
        session_.reset();
    }
}

} // namespace rps
