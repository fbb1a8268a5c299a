#pragma once
// The model and band tables: which model blocks this application knows, their bands and
// frequency limits, and the names shown in the title, the tree and reports.
#include "model/ModelBlock.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rps {

struct ModelRow {
    const char* identifier; // "RQLM0640" / "RQLM0940"
    uint8_t destinationVariant;
    const char* name;         // "QLM-640"
    const char* lowerName;    // "qlm640"
    const char* suffix;       // " K"
    std::array<int, 2> bands; // allowed band rows; -1 = unused
};

struct BandRow {
    uint8_t bandType;
    uint8_t destinationVariant;
    uint16_t modelCode;
    const char* label;
};

inline constexpr std::array<ModelRow, 6> kModelRows{{
    {"RQLM0640", 0, "QLM-640", "qlm640", " K", {0, -1}},
    {"RQLM0640", 2, "QLM-640", "qlm640", " E", {1, -1}},
    {"RQLM0640", 3, "QLM-640", "qlm640", " C", {2, -1}},
    {"RQLM0940", 0, "QLM-940", "qlm940", " K", {3, 4}},
    {"RQLM0940", 2, "QLM-940", "qlm940", " E", {5, -1}},
    {"RQLM0940", 3, "QLM-940", "qlm940", " C", {6, -1}},
}};

inline constexpr std::array<BandRow, 7> kBandRows{{
    {4, 0, 0x0400, "136-174 MHz"},
    {4, 2, 0x0402, "* 136-174 MHz"},
    {4, 3, 0x0403, "* 136-174 MHz"},
    {6, 0, 0x0600, "* 450-520 MHz"},
    {7, 0, 0x0700, "400-470 MHz"},
    {7, 2, 0x0702, "* 400-470 MHz"},
    {7, 3, 0x0703, "* 400-470 MHz"},
}};

// The record an unprogrammed unit identifies itself with ("KMV3081 ", 0xFF 0xFF, 0x00 0x04,
// four 0x00); only its first 12 bytes are compared.
inline constexpr std::array<uint8_t, 16> kUnprogrammedUnitCode{
    'K', 'M', 'V', '3', '0', '8', '1', ' ', 0xFF, 0xFF, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00};
inline constexpr std::size_t kUnprogrammedCompareLength = 12;

// Model codes accepted for Open and for a read.
inline constexpr std::array<uint16_t, 3> kAcceptedModelCodes{0x0400, 0x0600, 0x0700};

int findModelRow(const ModelBlock& block);       // -1 if none
int findBandRow(uint16_t modelCode);             // -1 if none
bool isModelBlockValid(const ModelBlock& block); // model row and an allowed band row
bool isModelCodeAccepted(uint16_t modelCode);
bool isAcceptedForOpen(const ModelBlock& block); // valid, reserved bytes empty, accepted code
bool isUnprogrammedUnit(std::span<const uint8_t> record);
bool isUhfBand(int bandRow); // band rows above 2 are UHF

std::string displayName(int modelRow);                   // "QLM-640: K"
std::string shortTitle(int modelRow, int bandRow);       // "QLM-640: K [VHF]"
std::string modelDescription(int modelRow, int bandRow); // "QLM-640: K  VHF: 136-174 MHz"

// Which of the seven known identities a repeater's record is: 0 = unprogrammed unit,
// 1..6 = model row + 1, -1 = unknown.
int identifyRepeater(std::span<const uint8_t> record);

// Model Information choices: model rows offered (variant 0), a row's band rows and its default band.
std::vector<int> offeredModelRows();
std::vector<int> allowedBandRows(int modelRow);
int defaultBandRow(int modelRow);

} // namespace rps
