// The current-value query of a tuning point: the point's values, high byte first.
#include "link/ProtocolBytes.h"
#include "link/RadioLink.h"

namespace rps {

int RadioLink::queryValues(uint8_t command, std::span<uint8_t> destination)
{
    return exchange([&] {
        const std::array<uint8_t, 2> frame{command, proto::kQuery};
        return writeBuffer(frame) ? replyAndAck(destination, false) : kLinkFailed;
    });
}

} // namespace rps
