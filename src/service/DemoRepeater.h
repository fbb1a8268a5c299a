#pragma once
// Demonstration mode: test mode, tuning and the service dialogs talk to a simulated repeater in
// this process instead of a port. It is seeded from the working image, so the entry checks pass
// as they would with the repeater the data came from.
#include "link/RadioLink.h"
#include "model/ConfigImage.h"
#include "sim/SimDevice.h"
#include "sim/SimRepeater.h"

namespace rps {

class DemoRepeater {
public:
    explicit DemoRepeater(const ConfigImage& image);
    RadioLink& link() { return link_; }
    sim::SimRepeater& repeater() { return repeater_; }
    sim::SimDevice& device() { return device_; }

private:
    sim::SimRepeater repeater_;
    sim::SimDevice device_;
    RadioLink link_;
};

} // namespace rps
