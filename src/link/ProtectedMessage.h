#pragma once
// The embedded message with password: two lines and a six-character password that the
// repeater keeps apart from its configuration. The write transfer never sends them; these two
// operations do, each on its own session, asking the user through the dialog service.
#include "link/Transfers.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace rps {

// Auxiliary block: the two protected lines (64 bytes) and the password (six bytes 0xFF = none).
inline constexpr std::size_t kProtectedMessageAux = 0x0400;
inline constexpr std::size_t kProtectedMessageSize = 64;
inline constexpr std::size_t kMessagePasswordAux = 0x0440;
// Where the repeater holds them.
inline constexpr uint16_t kProtectedMessageRadioAddress = 0xFD00;
inline constexpr uint16_t kMessagePasswordRadioAddress = 0xFD40;

// A typed password as the repeater takes it: its letters and digits (at most six) padded with
// 0x00; an empty entry (no password) is six 0xFF.
PasswordBytes messagePasswordBytes(std::string_view typed);
// The stored password as text: bytes 0xFF, 0x00 and spaces show as nothing.
std::string messagePasswordText(std::span<const uint8_t> bytes);

// Writes the two protected lines of the image to the repeater once the repeater has taken the
// password (or the user agreed to write to a repeater without one). 0 = written.
int writeProtectedMessage(TransferContext& context, const ConfigImage& image);

// Changes the repeater's message password and stores the new one in the image. A repeater
// without a password is checked with the empty password, whatever the image holds. 0 = changed.
int changeMessagePassword(TransferContext& context, ConfigImage& image);

} // namespace rps
