#pragma once
// A link wired to an in-process simulated repeater on simulated time.
#include "link/RadioLink.h"
#include "sim/SimDevice.h"
#include "sim/SimRepeater.h"

#include <vector>

namespace rps::test {

struct LinkRig {
    explicit LinkRig(sim::SimConfig config = {}, sim::SimMemory memory = sim::defaultMemory(0x0400))
        : repeater(std::move(config), std::move(memory)), device(repeater), link(device)
    {
        link.setPort(1, "/dev/sim0");
        link.setClock([] { return LocalTime{2026, 12, 7, 9, 17, 25}; });
    }

    // Opens the port, enters programming mode and identifies; the key is agreed afterwards.
    bool connect()
    {
        ModelRecord record{};
        return link.open() && link.enterProgramMode() == kLinkOk && link.identify(record) == kLinkOk;
    }

    // What the PC put on the wire since the last clearWire(), as the line carried it.
    std::vector<uint8_t> sentBytes() const
    {
        std::vector<uint8_t> bytes;
        for (const sim::WireByte& w : device.wire())
            if (w.fromPc)
                bytes.push_back(w.byte);
        return bytes;
    }
    std::vector<uint8_t> receivedBytes() const
    {
        std::vector<uint8_t> bytes;
        for (const sim::WireByte& w : device.wire())
            if (!w.fromPc)
                bytes.push_back(w.byte);
        return bytes;
    }

    sim::SimRepeater repeater;
    sim::SimDevice device;
    RadioLink link;
};

} // namespace rps::test
