#include "link/WriteProblems.h"

#include "link/LinkTexts.h"
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/records/ChannelLayout.h"

namespace rps {

namespace {

constexpr uint8_t kPriorityScan = '0';

// The record offset of a programmed channel, or 0 when its index entry is empty or points
// outside the channel area (such an entry names no record to check).
std::size_t channelRecord(std::span<const uint8_t> main, int channel)
{
    const uint16_t entry = getU16(main, kChannelIndexOffset + 2 * static_cast<std::size_t>(channel));
    if (entry == kEmptyIndexEntry || entry < kChannelAreaStart ||
        entry + kChannelRecordSize > kChannelAreaEnd)
        return 0;
    return entry;
}

bool anyDigitalChannel(std::span<const uint8_t> main)
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const std::size_t record = channelRecord(main, channel);
        if (record == 0)
            continue;
        const uint8_t type = main[record + ChannelField::kChannelType];
        if (type == kTypeNxdn || type == kTypeMixed)
            return true;
    }
    return false;
}

bool encryptionWithoutKey(std::span<const uint8_t> main, std::span<const uint8_t> aux)
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const std::size_t record = channelRecord(main, channel);
        if (record == 0)
            continue;
        const auto bit = static_cast<std::size_t>(channel);
        const bool encryptionOn = (aux[kEncryptionBitsOffset + bit / 8] & (1u << (bit % 8))) == 0;
        if (encryptionOn && getU16(main, record + ChannelField::kKeyData) == 0xFFFF)
            return true;
    }
    return false;
}

} // namespace

std::vector<int> findWriteProblems(std::span<const uint8_t> main, std::span<const uint8_t> aux)
{
    std::vector<int> problems;
    if (main[kScanPriorityOffset] == kPriorityScan && main[kPriorityChannelOffset] == 0xFF)
        problems.push_back(texts::kProblemScanPriority);
    if (getU16(main, kNxdnUnitIdOffset) == 0xFFFF && anyDigitalChannel(main))
        problems.push_back(texts::kProblemUnitId);
    if (encryptionWithoutKey(main, aux))
        problems.push_back(texts::kProblemEncryptionKey);
    return problems;
}

std::string writeProblemsText(const std::vector<int>& problems, const LanguageTable& texts)
{
    std::string text = texts.text(texts::kProblemHeading) + "\n\n";
    for (int problem : problems)
        text += "\"" + texts.text(problem) + "\"\n";
    return text;
}

} // namespace rps
