#pragma once
// Checks and stamps applied to the whole image: the checksum word written before every save
// and write, the version stamp, and the acceptance check with its repairs for an image that
// came from a repeater or a data file.
#include "model/ConfigImage.h"
#include "model/InstallationId.h"

#include <cstdint>
#include <span>

namespace rps {

inline constexpr char kDataVersionText[] = "V1.00"; // 5 characters, no terminator in the image
inline constexpr char kDataFormatText[] = "100";    // 3 characters, no terminator in the image

// Zeroes the checksum word at 0x0256, adds all 40,960 main-area bytes into a wrapping 16-bit
// sum and stores it there. Returns the stored sum.
uint16_t computeChecksum(std::span<uint8_t> main);
// The checksum the main area would get, without writing it.
uint16_t checksumOf(std::span<const uint8_t> main);

// Writes "V1.00", "100" and the installation identifier into the main area.
void stampVersion(std::span<uint8_t> main, const InstallationId& installationId);

// True for a data format character this program can edit: its own, an older one, or none.
bool isKnownDataFormat(uint8_t formatCharacter);

enum class ImageSource { Repeater = 0, File = 1 };

struct ImageCheck {
    bool accepted = true;
    int messageText = 0; // 0, or 823 (later format in a file) / 824 (later format in a repeater)
};

// Acceptance of the working copy after an image from outside was restored into it. A later
// data format than ours cannot be edited safely: the image is rebuilt as New and the check
// fails with the message to show. An accepted image gets its old-format repairs.
ImageCheck checkLoadedImage(ConfigImage& image, ImageSource source, const InstallationId& installationId);

} // namespace rps
