#pragma once
// One tuning item being adjusted from test mode: its points opened and closed in the radio, the
// value stepped, applied and read back, the volume and test tone. Every command goes through the
// test mode's retry loop; a failure ends the adjustment (the caller closes its dialog).
#include "service/TestModeSession.h"
#include "service/TuningItems.h"

#include <array>
#include <vector>

namespace rps {

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
    // Steps the raw value by delta (the radio moves by the difference).
    bool stepTo(int raw);
    bool apply(int raw);
    // The radio's current values of the open point (two for the two-value layout; the gain item
    // reads Gain A first with its own query).
    bool readCurrent(std::vector<int>& current);
    bool setVolume(int position); // 0..31; sends the signed difference
    int volume() const { return volume_; }
    bool setTestTone(bool on);
    bool setTransmit(bool on) { return testMode_.setTransmit(on); }
    // Closes the open point and sends the test conditions again.
    bool close();

private:
    uint8_t command() const { return tuningCommand(item_, point_); }

    TestModeSession& testMode_;
    RadioLink& link_;
    const TuningItem& item_;
    int point_ = 0;
    bool open_ = false;
    bool spacingSent_ = false;
    int volume_ = 16;
    std::vector<int> values_;
};

} // namespace rps
