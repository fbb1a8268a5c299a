#pragma once
// The PC's local date and time as the clock and date-stamp commands send them.
namespace rps {

struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalTime currentLocalTime();

} // namespace rps
