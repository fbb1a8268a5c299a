#include "app/ProtectCodec.h"

#include "app/HexText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace rps {
namespace {

constexpr std::size_t kStoredLength = 7;
constexpr std::size_t kIdOffset = 5;
constexpr uint8_t kEmpty = 0xFF;
constexpr std::array<uint8_t, kStoredLength> kNoPasswordMarker{'4', 'Q', 'u', 'a', 'r', 't', 'z'};

// Every table entry has its top bit set and every key byte has it clear, so an encoded
// password byte always has the top bit set and can never be mistaken for the ASCII marker.
constexpr std::array<uint8_t, 10> kDigitTable{0xA7, 0x9C, 0xE1, 0x8B, 0xD4, 0xB6, 0xC9, 0xF2, 0x85, 0x9E};
constexpr std::array<uint8_t, kStoredLength> kKey{0x3B, 0x5E, 0x17, 0x62, 0x0D, 0x49, 0x74};

void mixInstallation(std::array<uint8_t, kStoredLength>& bytes, const InstallationId& id)
{
    for (std::size_t i = 0; i < kStoredLength; ++i) {
        bytes[i] ^= id[kIdOffset + i];
    }
}

int digitOf(uint8_t substituted)
{
    const auto found = std::find(kDigitTable.begin(), kDigitTable.end(), substituted);
    return found == kDigitTable.end() ? -1 : static_cast<int>(found - kDigitTable.begin());
}

} // namespace

bool isSecurityPassword(std::string_view password)
{
    return !password.empty() && password.size() <= kSecurityPasswordMaxLength &&
           std::all_of(password.begin(), password.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string encodeProtect(const StoredPassword& stored, const InstallationId& installationId)
{
    std::array<uint8_t, kStoredLength> bytes = kNoPasswordMarker;
    if (isSecurityPassword(stored.password)) {
        bytes.fill(kEmpty);
        bytes[0] = stored.programExecution ? '1' : '0';
        // isSecurityPassword keeps it within the bytes after the flag.
        std::copy_n(stored.password.begin(), std::min(stored.password.size(), kStoredLength - 1),
                    bytes.begin() + 1);
        for (std::size_t i = 0; i < kStoredLength; ++i) {
            if (bytes[i] != kEmpty) {
                bytes[i] = kDigitTable[static_cast<std::size_t>(bytes[i] - '0')];
            }
            bytes[i] ^= kKey[i];
        }
    }
    mixInstallation(bytes, installationId);
    return formatHexBytes(bytes);
}

StoredPassword decodeProtect(std::string_view text, const InstallationId& installationId)
{
    const auto parsed = parseHexBytes(text, kStoredLength);
    if (!parsed) {
        return {};
    }
    std::array<uint8_t, kStoredLength> bytes{};
    std::copy(parsed->begin(), parsed->end(), bytes.begin());
    mixInstallation(bytes, installationId);
    if (bytes == kNoPasswordMarker) {
        return {};
    }
    for (std::size_t i = 0; i < kStoredLength; ++i) {
        bytes[i] ^= kKey[i];
    }
    const int flag = digitOf(bytes[0]);
    if (flag != 0 && flag != 1) {
        return {};
    }
    StoredPassword result;
    std::size_t i = 1;
    for (; i < kStoredLength && bytes[i] != kEmpty; ++i) {
        const int digit = digitOf(bytes[i]);
        if (digit < 0) {
            return {};
        }
        result.password += static_cast<char>('0' + digit);
    }
    for (; i < kStoredLength; ++i) {
        if (bytes[i] != kEmpty) { // a digit after the end of the password
            return {};
        }
    }
    if (result.password.empty()) {
        return {};
    }
    result.programExecution = flag == 1;
    return result;
}

} // namespace rps
