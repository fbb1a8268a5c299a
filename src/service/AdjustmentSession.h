#pragma once
// One tuning item being adjusted from test mode: its points opened and closed in the radio, the
// value stepped, applied and read back, the volume and test tone. Every command goes through the
// test mode's retry loop; a failure ends the adjustment (the caller closes its dialog).
#include "service/TestModeSession.h"
#include "service/TuningItems.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace rps {

// What the repeater reports while it adjusts a point by itself (display code 3): its state, the
// IF level it measures and the value it has reached.
enum class AutomaticState { Idle = 0, Running = 1, Done = 2 };
struct AutomaticReport {
    AutomaticState state = AutomaticState::Idle;
    int if20 = 0;
    int data = 0;
};

// The repeater's temperature as the dialog shows it: one decimal, in Celsius or Fahrenheit.
std::string temperatureText(int tenthsCelsius, bool fahrenheit);

class AdjustmentSession {
public:
    AdjustmentSession(TestModeSession& testMode, const TuningItem& item);

    const TuningItem& item() const { return item_; }
    TestModeSession& testMode() { return testMode_; }
    int point() const { return point_; }
    bool pointOpen() const { return open_; }

    // Closes the open point (C, OFF) and opens `point`: on the first opening the item's spacing
    // letter goes first; then C, ON and the point's values with 0x07.
    bool openPoint(int point);
    // Raw values as read or last set (two for the two-value layout).
    const std::vector<int>& values() const { return values_; }
    // Steps value `which` (0, or 1 for Gain B) to raw: the radio moves by the difference.
    bool stepTo(int raw, int which = 0);
    bool apply(int raw, int which = 0);
    // The radio's current values of the open point (two for the two-value layout; the gain item
    // reads Gain A first with its own query).
    bool readCurrent(std::vector<int>& current);
    bool setVolume(int position); // 0..31; sends the signed difference
    int volume() const { return volume_; }
    bool setTestTone(bool on);
    bool setTransmit(bool on) { return testMode_.setTransmit(on); }
    // Closes the open point and sends the test conditions again.
    bool close();

    // Measured values, refreshed by the dialog's timer.
    bool readCrystalFrequency(uint32_t& hz);
    bool readLockVoltage(int& millivolts);
    bool readTemperature(int& tenthsCelsius);
    // Automatic adjustment of the open point: the repeater moves the value itself. A stop, or
    // a report that it is done, ends the run and reads the point's values again.
    bool startAutomatic();
    bool stopAutomatic();
    bool readAutomatic(AutomaticReport& report);
    bool automaticRunning() const { return automatic_; }

private:
    uint8_t command() const { return tuningCommand(item_, point_); }
    // The open point's values with 0x07.
    bool readValues();
    // Gain B is reached by switching the gain command's second value on around the frame.
    bool onValue(int which, const std::function<int()>& frame);

    TestModeSession& testMode_;
    RadioLink& link_;
    const TuningItem& item_;
    int point_ = 0;
    bool open_ = false;
    bool spacingSent_ = false;
    bool automatic_ = false;
    int volume_ = 16;
    std::vector<int> values_;
};

} // namespace rps
