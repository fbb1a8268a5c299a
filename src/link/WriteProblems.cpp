#include "link/WriteProblems.h"

#include "link/LinkTexts.h"
#include "model/ByteOrder.h"
#include "model/ConfigImage.h"
#include "model/records/ChannelIndex.h"

namespace rps {

namespace {

constexpr uint8_t kPriorityScan = '0';

bool anyDigitalChannel(std::span<const uint8_t> main)
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const auto record = channelRecordInArea(main, channel);
        if (!record)
            continue;
        const uint8_t type = main[*record + ChannelField::kChannelType];
        if (type == kTypeNxdn || type == kTypeMixed)
            return true;
    }
    return false;
}

bool encryptionWithoutKey(std::span<const uint8_t> main, std::span<const uint8_t> aux)
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const auto record = channelRecordInArea(main, channel);
        if (!record)
            continue;
        const auto bit = static_cast<std::size_t>(channel);
        const bool encryptionOn = (aux[kEncryptionBitsOffset + bit / 8] & (1u << (bit % 8))) == 0;
        if (encryptionOn && getU16(main, *record + ChannelField::kKeyData) == 0xFFFF)
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
