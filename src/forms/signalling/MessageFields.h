#pragma once
// The embedded messages: two lines of printable ASCII that travel with the configuration in the
// main area, and two more in the auxiliary block that only the protected write sends to the
// repeater. A line is one byte a character, padded with 0x00, never more than 32 bytes. The
// password of the protected message is no field: only a change against the repeater sets it.
#include "forms/fields/DeclaredForm.h"
#include "link/ProtectedMessage.h"

#include <array>
#include <cstddef>

namespace rps::signalling {

inline constexpr int kMessageTitleText = 558;
inline constexpr int kProtectedMessageTitleText = 840;

inline constexpr std::size_t kMessageLineSize = 32;

namespace message {
inline constexpr int kItemLine1 = 0;
inline constexpr int kItemLine2 = 1;
} // namespace message

extern const std::array<fields::FieldRow, 2> kMessageFields;
extern const std::array<fields::FieldRow, 2> kProtectedMessageFields;

std::unique_ptr<FieldFormSession> openMessageForm(ConfigImage& image, const fields::FieldEnv& env);
std::unique_ptr<FieldFormSession> openProtectedMessageForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
