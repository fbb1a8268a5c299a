#pragma once
// A configuration image for feature tests: every byte 0xFF as after "clear", with helpers to
// program channels and to read function slots and remote-control entries.
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/records/ChannelStore.h"

#include <array>
#include <cstdint>

namespace rps::test {

struct FeatureTestImage {
    FeatureTestImage() { image.clear(); }

    std::span<uint8_t> main() { return image.main(); }

    // Programs channel 1..30 with a receive frequency.
    void programChannel(int number)
    {
        ChannelStore store(image);
        store.create(number - 1);
        setU32(store.record(number - 1), 0, 150000000);
    }

    uint16_t code(std::size_t offset) { return getU16(image.main(), offset); }
    void setCode(std::size_t offset, uint16_t code) { setU16(image.main(), offset, code); }
    std::array<uint16_t, 3> slots(std::size_t group)
    {
        return {code(group), code(group + 2), code(group + 4)};
    }
    void setSlots(std::size_t group, std::array<uint16_t, 3> codes)
    {
        for (std::size_t i = 0; i < 3; ++i)
            setCode(group + 2 * i, codes[i]);
    }

    // A remote-control entry with codes assigned, and whether it is back to "nothing assigned".
    void assignRemote(std::size_t entry)
    {
        image.main()[entry] = 0x03;
        image.main()[entry + 1] = 0x84;
        image.main()[entry + 2] = 0x01;
    }
    bool remoteReset(std::size_t entry)
    {
        return image.main()[entry] == 0xFF && image.main()[entry + 1] == 0xFF &&
               image.main()[entry + 2] == 0x00;
    }

    ConfigImage image;
};

} // namespace rps::test
