#include "forms/signalling/CwMessageFields.h"

#include "forms/feature/FunctionGroups.h"
#include "forms/fields/FieldRecords.h"
#include "model/SignallingMap.h"

namespace rps {

using namespace fields;
using namespace cwmessage;

namespace {

using namespace signalling;

constexpr int kTextLength = static_cast<int>(kCwTextSize);

constexpr int kTextOff = 854;
constexpr OnOff kSwitch{.on = 1, .off = 0, .anyOtherIsOn = true};
constexpr Input kFourDigits{CharFilterKind::Digits, 4};
constexpr Place kMessagePlace{.page = 0, .column = 1, .group = kItemMessages};

constexpr std::size_t messageOffset(int message)
{
    return kCwMessages + kCwTextSize * static_cast<std::size_t>(message - 1);
}

constexpr FieldRow message(int number, std::string_view key)
{
    return edit(kItemFirstMessage + number - 1, key, numberCaption(number),
                text(messageOffset(number), kTextLength).padded(0xFF).codec(TextCodec::Morse).in(Area::Main),
                {CharFilterKind::Morse, kTextLength})
        .refusedWith(kMessageNotMorse)
        .at(kMessagePlace);
}

// The message 1..8 of a row, or 0.
int messageOf(const FieldRow& row)
{
    const int number = row.item - kItemFirstMessage + 1;
    return number >= 1 && number <= kMessageCount ? number : 0;
}

} // namespace

const std::array<FieldRow, 14> kCwMessageFields{{
    spin(kItemSpeed, "speed", 962, u8(kCwSpeed).in(Area::Main),
         Range{5, 30, 1}.emptyStoresMin().blankWhenOutside())
        .filter({CharFilterKind::Digits, 2}),
    spin(kItemModDelay, "mod-delay", 963, u8(kCwModulationDelay).in(Area::Main).times(0.1),
         Range{10, 2550, 10}.offBelowMin(0, kTextOff).blankWhenOutside())
        .filter(kFourDigits),
    spin(kItemAudioFrequency, "audio-frequency", 964, u8(kCwAudioFrequency).in(Area::Main).times(0.1),
         Range{400, 2000, 100}.emptyStoresMin().blankWhenOutside())
        .filter(kFourDigits),
    check(kItemToRa, "to-ra", 965, u8(kCwSendToRa).in(Area::Main), kSwitch),
    check(kItemEncodeQt, "encode-qt", 966, u8(kCwEncodeWithQt).in(Area::Main), kSwitch),
    group(kItemMessages, 967).at({.page = 0, .column = 1}),
    message(1, "1.text"),
    message(2, "2.text"),
    message(3, "3.text"),
    message(4, "4.text"),
    message(5, "5.text"),
    message(6, "6.text"),
    message(7, "7.text"),
    message(8, "8.text"),
}};

bool cwMessageInUse(std::span<const uint8_t> main, int message)
{
    return message >= 1 && message <= kMessageCount && main[messageOffset(message)] != 0xFF;
}

StoreStep CwMessageRules::beforeStore(FieldEdit& edit, EditResult&)
{
    const int number = messageOf(edit.row);
    if (number == 0)
        return StoreStep::Store;
    wasInUse_ = cwMessageInUse(main_, number);
    return StoreStep::Store;
}

void CwMessageRules::afterStore(const FieldEdit& edit, EditResult& result)
{
    const int number = messageOf(edit.row);
    if (number == 0 || !wasInUse_ || cwMessageInUse(main_, number))
        return;
    // The key function that sends this message has nothing left to send.
    if (feature::removeFunctionGroup(main_, feature::kGroupFirstMessage + number - 1))
        result.touched |= kTouchesMain;
}

namespace {

class CwMessageSession : public FieldFormSession {
public:
    CwMessageSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main()), rules_(image.main()),
          engine_(kCwMessageFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    GlobalRecords records_;
    CwMessageRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openCwMessageForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<CwMessageSession>(image, env);
}

} // namespace rps
