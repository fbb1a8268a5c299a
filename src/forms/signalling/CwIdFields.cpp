#include "forms/signalling/CwIdFields.h"

#include "forms/fields/FieldRecords.h"
#include "model/SignallingMap.h"
#include "model/records/ChannelLayout.h"

#include <cstdio>

namespace rps {

using namespace fields;
using namespace cwid;

namespace {

namespace F = ChannelField;

constexpr int kTextChannel = 868;
constexpr int kTextOff = 854;
constexpr std::size_t kModDelay = F::kCwIdSetting;
constexpr std::size_t kTxInterval = 52;
constexpr std::size_t kTxDelay = 53;
constexpr std::size_t kTxRequired = 54;
constexpr std::size_t kOver = 55;
constexpr std::size_t kToRa = 56;
constexpr std::size_t kOnChannelChange = 57;
constexpr std::size_t kTxSpeed = 58;
constexpr std::size_t kAudioFrequency = 59;
constexpr std::size_t kEncodeQt = 60;
constexpr std::size_t kText = 64;
constexpr int kTextLength = static_cast<int>(signalling::kCwTextSize);

constexpr OnOff kSwitch{.on = 1, .off = 0, .anyOtherIsOn = true};
constexpr Input kTwoDigits{CharFilterKind::Digits, 2};
constexpr Input kFourDigits{CharFilterKind::Digits, 4};

} // namespace

const std::array<FieldRow, 12> kCwIdFields{{
    label(kItemChannel),
    edit(kItemText, "text", 882, text(kText, kTextLength).padded(0xFF).codec(TextCodec::Morse),
         {CharFilterKind::Morse, kTextLength})
        .refusedWith(kMessageNotMorse),
    spin(kItemTxInterval, "tx-interval", 952, u8(kTxInterval), Range{1, 60, 1}.blankWhenOutside())
        .filter(kTwoDigits),
    spin(kItemTxDelay, "tx-delay", 953, u8(kTxDelay).times(10),
         Range{0.1, 10.0, 0.1}.offBelowMin(0, kTextOff).blankWhenOutside())
        .filter({CharFilterKind::Decimal, 4}),
    spin(kItemTxSpeed, "tx-speed", 954, u8(kTxSpeed), Range{5, 30, 1}.blankWhenOutside()).filter(kTwoDigits),
    spin(kItemModDelay, "mod-delay", 955, u8(kModDelay).times(0.1),
         Range{10, 2550, 10}.offBelowMin(0, kTextOff).blankWhenOutside())
        .filter(kFourDigits),
    spin(kItemAudioFrequency, "audio-frequency", 956, u8(kAudioFrequency).times(0.1),
         Range{400, 2000, 100}.blankWhenOutside())
        .filter(kFourDigits),
    check(kItemTxRequired, "tx-required", 957, u8(kTxRequired), kSwitch),
    check(kItemOver, "over", 958, u8(kOver), kSwitch),
    check(kItemToRa, "to-ra", 959, u8(kToRa), kSwitch),
    check(kItemOnChannelChange, "on-channel-change", 960, u8(kOnChannelChange), kSwitch),
    check(kItemEncodeQt, "encode-qt", 961, u8(kEncodeQt), kSwitch),
}};

bool cwIdEditable(ChannelStore& store, int channel)
{
    if (channel < 0 || channel >= kChannelCount || !store.isProgrammed(channel))
        return false;
    return store.record(channel)[F::kCwId] == 1;
}

bool CwIdRules::enabled(const FieldRow& row, int record) const
{
    if (row.item == kItemChannel)
        return true;
    if (!cwIdEditable(store_, record))
        return false;
    if (row.item == kItemOver || row.item == kItemEncodeQt)
        return store_.record(record)[F::kChannelType] != kTypeNxdn;
    return true;
}

std::string CwIdRules::computedText(const FieldRow& row, int record) const
{
    if (row.item != kItemChannel)
        return {};
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %2d", env_.text(kTextChannel).c_str(), record + 1);
    return buffer;
}

void CwIdRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    // The value stays; the dealer is told that a high tone may not decode.
    if (edit.row.item == kItemAudioFrequency && edit.origin == EditOrigin::Typed && edit.raw >= kHighAudio &&
        !result.message)
        result.message = kMessageHighAudio;
    result.touched |= kTouchesChannels;
}

namespace {

class CwIdSession : public FieldFormSession {
public:
    CwIdSession(ConfigImage& image, const FieldEnv& env)
        : env_(env), store_(image), records_(store_), rules_(store_, env_),
          engine_(kCwIdFields, records_, {image.main(), image.aux(), image.local()}, env_, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    FieldEnv env_;
    ChannelStore store_;
    ChannelRecords records_;
    CwIdRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openCwIdForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<CwIdSession>(image, env);
}

} // namespace rps
