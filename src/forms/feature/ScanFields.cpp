#include "forms/feature/ScanFields.h"

#include "model/FeatureMap.h"
#include "model/FrequencyText.h"
#include "model/ValueHelpers.h"

namespace rps {

using namespace fields;
using namespace scan;

namespace {

constexpr int kTextNone = 849;
// A typed number that names no channel; never stored.
constexpr uint32_t kNotAChannel = 0x100;

bool isChannelNumber(uint32_t value)
{
    return value >= 1 && value <= static_cast<uint32_t>(kChannelCount);
}

// The priority channel: a channel number, or none. A stored byte that is neither shows empty.
const FieldCodec kPriorityChannelCodec{
    [](uint32_t raw, const FieldEnv& env) {
        if (raw == kNoChannel)
            return env.text(kTextNone);
        return isChannelNumber(raw) ? std::to_string(raw) : std::string();
    },
    [](std::string_view text, const FieldEnv& env) {
        const std::string t = trimTrailingSpaces(text);
        const auto first = t.find_first_not_of(' ');
        const std::string typed = first == std::string::npos ? std::string() : t.substr(first);
        if (typed.empty() || typed == env.text(kTextNone))
            return CodecParse{kNoChannel, false};
        const auto number = parseTypedIntegerStrict(typed);
        const bool valid = number && *number >= 1 && *number <= kChannelCount;
        return CodecParse{valid ? static_cast<uint32_t>(*number) : kNotAChannel, false};
    },
};

constexpr Choice kPriorityChoices[] = {{kPriorityOff, 849}, {kPriorityScan, 861}, {0x31, 862}};
constexpr Choice kRevertChoices[] = {
    {kRevertDefault, 867}, {0x32, 862}, {0x33, 865}, {kRevertPriority, 1167}, {kRevertPriorityTalkback, 866}};

constexpr Input kSecondsInput{CharFilterKind::Decimal, 3};
constexpr Range kLookBack = Range{0.5, 5.0, 0.1}.blankWhenOutside();
constexpr Range kHalfSeconds = Range{0.5, 5.0, 0.5}.blankWhenOutside();

uint8_t priorityOf(std::span<const uint8_t> main)
{
    return main[feature::kScanPriority];
}

bool namesPriorityChannel(uint32_t revert)
{
    return revert == kRevertPriority || revert == kRevertPriorityTalkback;
}

} // namespace

const std::array<FieldRow, 8> kScanFields{{
    list(kItemPriority, "priority", 1167, u8(feature::kScanPriority).in(Area::Main), kPriorityChoices),
    combo(kItemPriorityChannel, "priority-channel", 1168, u8(feature::kScanPriorityChannel).in(Area::Main),
          kPriorityChannelCodec, {CharFilterKind::Digits, 2}),
    spin(kItemLookBackA, "look-back-a", 1169, u8(feature::kScanLookBackA).in(Area::Main).times(10), kLookBack)
        .filter(kSecondsInput),
    spin(kItemLookBackB, "look-back-b", 1170, u8(feature::kScanLookBackB).in(Area::Main).times(10), kLookBack)
        .filter(kSecondsInput),
    list(kItemRevert, "revert-channel", 1171, u8(feature::kScanRevert).in(Area::Main), kRevertChoices),
    spin(kItemDropoutDelay, "dropout-delay", 1172, u8(feature::kScanDropoutDelay).in(Area::Main).times(10),
         kHalfSeconds)
        .filter(kSecondsInput),
    spin(kItemDwell, "dwell", 1173, u8(feature::kScanDwell).in(Area::Main).times(10), kHalfSeconds)
        .filter(kSecondsInput),
    check(kItemOffHookScan, "off-hook-scan", 1174, u8(feature::kOffHookScan).in(Area::Main),
          OnOff{.on = 0x00, .off = 0xFF}),
}};

bool ScanRules::enabled(const FieldRow& row, int) const
{
    switch (row.item) {
    case kItemPriorityChannel:
        return priorityOf(main_) == kPriorityScan;
    case kItemLookBackA:
    case kItemLookBackB:
        return priorityOf(main_) != kPriorityOff;
    default:
        return true;
    }
}

std::optional<std::vector<Choice>> ScanRules::choices(const FieldRow& row, int) const
{
    if (row.item == kItemPriorityChannel) {
        std::vector<Choice> list{{kNoChannel, kTextNone}};
        for (int channel = 0; channel < kChannelCount; ++channel) {
            if (store_.isProgrammed(channel))
                list.push_back({static_cast<uint32_t>(channel + 1), 0});
        }
        return list;
    }
    if (row.item == kItemRevert && priorityOf(main_) != kPriorityScan) {
        std::vector<Choice> list;
        for (const Choice& choice : kRevertChoices) {
            if (!namesPriorityChannel(choice.value))
                list.push_back(choice);
        }
        return list;
    }
    return std::nullopt;
}

StoreStep ScanRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    if (edit.row.item != kItemPriorityChannel || edit.raw == kNoChannel)
        return StoreStep::Store;
    if (edit.raw == main_[feature::kScanPriorityChannel])
        return StoreStep::Done; // the channel already named: nothing changes
    if (!isChannelNumber(edit.raw) || !store_.isProgrammed(static_cast<int>(edit.raw) - 1)) {
        result.message = kMessageNotProgrammed;
        result.refused = true;
        return StoreStep::Done;
    }
    return StoreStep::Store;
}

void ScanRules::afterStore(const FieldEdit& edit, EditResult&)
{
    // Without priority scan there is no priority channel to revert to.
    if (edit.row.item == kItemPriority && edit.raw != kPriorityScan &&
        namesPriorityChannel(main_[feature::kScanRevert]))
        main_[feature::kScanRevert] = kRevertDefault;
}

namespace {

class ScanSession : public FieldFormSession {
public:
    ScanSession(ConfigImage& image, const FieldEnv& env)
        : env_(env), store_(image), records_(image.main()), rules_(store_, image.main()),
          engine_(kScanFields, records_, {image.main(), image.aux(), image.local()}, env_, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    FieldEnv env_;
    ChannelStore store_;
    GlobalRecords records_;
    ScanRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openScanForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<ScanSession>(image, env);
}

} // namespace rps
