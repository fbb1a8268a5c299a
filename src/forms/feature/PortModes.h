#pragma once
// Modes of the six function-port terminals: 0 input, 1 output, 2 and 3 special groups. Ports in
// mode 2 form an unbroken run from port 1 that can only be shortened from its end; mode 3
// belongs to port 1 and takes ports 2..4 with it.
#include <cstdint>
#include <span>
#include <vector>

namespace rps::feature {

inline constexpr uint8_t kPortInput = 0;
inline constexpr uint8_t kPortOutput = 1;
inline constexpr uint8_t kPortRun = 2;
inline constexpr uint8_t kPortGroup = 3;

// Stored mode of port 1..6 (0xFF for a port number out of range).
uint8_t portMode(std::span<const uint8_t> mainArea, int port);

// Ports 2..4 follow port 1 while it is in mode 3; they cannot be chosen on their own.
bool portFollowsGroup(std::span<const uint8_t> mainArea, int port);

// The modes port 1..6 may be given, ascending; none for a port that follows the group or is
// out of range.
std::vector<uint8_t> offeredPortModes(std::span<const uint8_t> mainArea, int port);

// Gives a port a mode it is offered, with its consequences: port 1 in mode 3 takes ports 2..4
// along, leaving mode 3 gives them back mode 0, and every port whose mode changed loses its
// remote-control input and output entries. Returns false, changing nothing, for a mode the port
// is not offered; choosing the mode a port already has changes nothing.
bool setPortMode(std::span<uint8_t> mainArea, int port, uint8_t mode);

} // namespace rps::feature
