#include "model/ImageChecks.h"

#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/RemoteControlRules.h"

#include <algorithm>

namespace rps {

namespace {

constexpr uint16_t kRepeatHangTimeDefault = 100; // 1.0 s
constexpr std::size_t kFixedOutputSlots = 80;    // DTMF-area offset of their encode/decode slots
constexpr std::size_t kPortOutputSlots = 98;

// An output whose function code is "=" is a function this program no longer offers: it
// becomes "no function" (a space) and the encode/decode slot it held is given back.
void releaseMarkedEntry(std::span<uint8_t> main, std::size_t entryOffset, std::size_t slotOffset)
{
    if (main[entryOffset] != '=')
        return;
    main[entryOffset] = ' ';
    const std::size_t slot = kDtmfAreaOffset + slotOffset;
    main[slot] = 0xFF;
    main[slot + 1] = 0xFF;
    main[slot + 2] = 0x00;
}

} // namespace

uint16_t checksumOf(std::span<const uint8_t> main)
{
    uint16_t sum = 0;
    for (std::size_t i = 0; i < main.size(); ++i) {
        if (i == kChecksumOffset || i == kChecksumOffset + 1)
            continue; // counted as zero
        sum = static_cast<uint16_t>(sum + main[i]);
    }
    return sum;
}

uint16_t computeChecksum(std::span<uint8_t> main)
{
    setU16(main, kChecksumOffset, 0);
    const uint16_t sum = checksumOf(main);
    setU16(main, kChecksumOffset, sum);
    return sum;
}

void stampVersion(std::span<uint8_t> main, const InstallationId& installationId)
{
    std::copy_n(kDataVersionText, 5, main.begin() + kDataVersionOffset);
    std::copy(installationId.begin(), installationId.end(), main.begin() + kInstallationIdOffset);
    std::copy_n(kDataFormatText, 3, main.begin() + kDataFormatOffset);
}

bool isKnownDataFormat(uint8_t formatCharacter)
{
    const auto own = static_cast<uint8_t>(kDataFormatText[0]);
    return formatCharacter == own || formatCharacter == 0xFF ||
           (formatCharacter >= '0' && formatCharacter < own);
}

ImageCheck checkLoadedImage(ConfigImage& image, ImageSource source, const InstallationId& installationId)
{
    std::span<uint8_t> main = image.main();
    if (!isKnownDataFormat(main[kDataFormatOffset])) {
        newImage(image, installationId);
        return {false, source == ImageSource::File ? 823 : 824};
    }

    if (getU16(main, kRepeatHangTimeOffset) == 0xFFFF)
        setU16(main, kRepeatHangTimeOffset, kRepeatHangTimeDefault);
    for (std::size_t i = 0; i < 5; ++i)
        releaseMarkedEntry(main, kFixedOutputTable + 8 * i, kFixedOutputSlots + 3 * i);
    for (std::size_t j = 0; j < 6; ++j) {
        if (main[kPortModeOffset + j] == 1)
            releaseMarkedEntry(main, kPortOutputTable + 8 * j, kPortOutputSlots + 3 * j);
    }
    // Remote-control entries that their functions no longer take are given back here, once,
    // so what reaches the repeater never depends on which forms were opened.
    remote::repairRemoteControl(main);
    return {true, 0};
}

} // namespace rps
