#pragma once
// The service tools' exchanges with a repeater: hardware versions and radio information. Each
// opens the port, enters programming mode, identifies the repeater, asks its questions, leaves
// the mode and closes the port; every failure shows one message and ends the exchange.
#include "link/Transfers.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace rps {

struct HardwareVersions {
    std::string txRxUnit;
    std::string finalUnit;
    std::string controlUnit;
};

// 0 = read, 1 = failed (the message was shown, the port is closed).
int readHardwareVersions(TransferContext& context, HardwareVersions& versions);

struct RadioInformation {
    ModelRecord record{};
    std::array<uint8_t, 32> unit{};    // "URK"
    std::array<uint8_t, 2> checksum{}; // '|'
    std::array<uint8_t, 12> product{}; // 'P'
    std::array<uint8_t, 16> status{};  // "URS"
};

int readRadioInformation(TransferContext& context, RadioInformation& information);

// The lines of the radio information dialog.
struct RadioInformationLines {
    std::string model;
    std::string frequency;
    std::string serialNumber;
    std::string esn;
    std::string firmware;
    std::string checksum;
    std::string options;
};

RadioInformationLines radioInformationLines(const RadioInformation& information);
// Four hexadecimal digits, high nibble of the first byte first.
std::string checksumText(std::span<const uint8_t, 2> checksum);
// Bytes 16..27 of the unit record; an erased (0xFF) byte shows as a blank.
std::string serialNumberText(std::span<const uint8_t, 32> unit);
// A two-byte version reply as its two characters.
std::string versionText(std::span<const uint8_t, 2> reply);

} // namespace rps
