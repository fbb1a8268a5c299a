#pragma once
// What differs between two configuration images, as a user reads it: every declared field
// whose shown value differs, by form, record and caption with both values; then the differing
// bytes no differing field holds, as raw bytes by area and offset; and apart from both, the
// stamps every save and write sets (data version, data format, installation identifier,
// checksum). The repeater holds the main area and the auxiliary block; the local block never
// leaves the application and is not compared.
#include "forms/fields/FieldEngine.h"
#include "model/ConfigImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rps {

inline constexpr int kStampVersionText = 459;
inline constexpr int kStampFormatText = 460;
inline constexpr int kStampInstallationText = 461;
inline constexpr int kStampChecksumText = 462;

// One field that shows another value. A field one image does not have (a channel that exists
// in only one of them) shows an empty value there.
struct FieldDifference {
    std::string formKey; // "channel"
    int formText = 0;    // language text naming the form
    std::string record;  // the record's part of the key ("3"), empty for a form of one record
    std::string key;     // channel.3.rx-frequency
    std::string caption; // as show prints it
    std::string first;   // shown value in the first image
    std::string second;
};

// A run of differing bytes at one place of an area.
struct ByteDifference {
    fields::Area area = fields::Area::Main; // Main or Aux
    std::size_t offset = 0;
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
};

// A stamp the write sets that differs.
struct StampDifference {
    std::string name; // "checksum"
    int text = 0;     // its language text
    ByteDifference bytes;
};

struct ImageComparison {
    std::vector<FieldDifference> fields;
    std::vector<ByteDifference> bytes; // differing bytes no differing field holds
    std::vector<StampDifference> stamps;

    bool same() const { return fields.empty() && bytes.empty() && stamps.empty(); }
};

// A side of a comparison: the image and the environment its fields are shown with (its band's
// frequency limits, the language).
struct ComparedImage {
    const ImageAreas& areas;
    const fields::FieldEnv& env;
};

ImageComparison compareImages(const ComparedImage& first, const ComparedImage& second);

// The name of an area in raw byte lists ("main", "aux").
std::string areaName(fields::Area area);
// Bytes as two hex digits each, separated by spaces ("FF 0A").
std::string hexBytes(const std::vector<uint8_t>& bytes);
// An offset as "0x" and four hex digits.
std::string hexOffset(std::size_t offset);

} // namespace rps
