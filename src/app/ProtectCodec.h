#pragma once
// The stored form of the security password ("Protect"): seven bytes written as colon-separated
// hexadecimal. Without a password they are a fixed marker; with one, byte 0 is the program
// execution flag ("0"/"1") and bytes 1..6 the digits (0xFF = no digit), each digit byte
// substituted through a ten-entry table and XORed with a seven-byte key. Finally every byte is
// XORed with bytes 5..11 of this installation's identifier, so the value is useless elsewhere.
#include "model/InstallationId.h"

#include <string>
#include <string_view>

namespace rps {

inline constexpr std::size_t kSecurityPasswordMaxLength = 6;

struct StoredPassword {
    std::string password; // 0..6 digits; empty = no password
    bool programExecution = false;

    bool operator==(const StoredPassword&) const = default;
};

// A password that is not one to six digits is stored as "no password".
std::string encodeProtect(const StoredPassword& stored, const InstallationId& installationId);

// A value that is not seven hexadecimal bytes, or whose bytes are neither the marker nor a
// well-formed password, reads as no password with program execution off: damaged bytes must
// never lock the user out behind a password nobody can type.
StoredPassword decodeProtect(std::string_view text, const InstallationId& installationId);

bool isSecurityPassword(std::string_view password); // one to six digits

} // namespace rps
