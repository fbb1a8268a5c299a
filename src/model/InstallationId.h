#pragma once
// The 12-byte identifier of this installation, stamped into every image at 0x0430 and mixed
// into the stored security password. Made once on first run and kept in the settings.
#include <array>
#include <cstdint>

namespace rps {

using InstallationId = std::array<uint8_t, 12>;

} // namespace rps
