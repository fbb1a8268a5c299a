#pragma once
// A test-mode run against the in-process simulated repeater, with the image the repeater was
// programmed from.
#include "../link/TransferRig.h"

#include "model/ConfigImage.h"
#include "service/TestModeSession.h"

namespace rps::test {

struct TestModeRig {
    explicit TestModeRig(uint16_t modelCode = 0x0400) : rig({}, sim::defaultMemory(modelCode))
    {
        image.working() = rig.repeater.memory().toAreas();
        rig.link.options().encryptMode = false;
    }
    std::vector<uint8_t> sentSince(std::size_t from) const
    {
        const std::vector<uint8_t> all = rig.sentBytes();
        return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
    }

    LinkRig rig;
    ConfigImage image;
    RecordingDialogs dialogs;
    TestModeSession session{rig.link, dialogs, numberedTexts(), image.main()};
};

} // namespace rps::test
