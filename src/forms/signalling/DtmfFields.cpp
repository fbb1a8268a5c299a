#include "forms/signalling/DtmfFields.h"

#include "forms/signalling/MainAreaSession.h"
#include "forms/signalling/NumberChoices.h"
#include "model/SignallingMap.h"

namespace rps::signalling {

using namespace fields;
using namespace dtmf;

namespace {

constexpr uint32_t kSpeeds[] = {6, 8, 10, 15};          // digits per second
constexpr uint32_t kDigitTimes[] = {0, 100, 500, 1000}; // ms
constexpr Choice kSpeedChoices[] = {{6, 0}, {8, 0}, {10, 0}, {15, 0}};
constexpr Choice kDigitTimeChoices[] = {{0, 0}, {100, 0}, {500, 0}, {1000, 0}};
const FieldCodec kSpeedCodec = numberChoices<kSpeeds>();
const FieldCodec kDigitTimeCodec = numberChoices<kDigitTimes>();

constexpr Place in(int group)
{
    return Place{0, 0, group};
}

} // namespace

const std::array<FieldRow, 7> kDtmfFields{{
    group(kItemEncodeGroup, 1141),
    list(kItemSpeed, "speed", 1142, u8(kDtmfSpeed).in(Area::Main), kSpeedChoices)
        .coded(kSpeedCodec)
        .at(in(kItemEncodeGroup)),
    spin(kItemFirstDigitDelay, "first-digit-delay", 1143, u16(kFirstDigitDelay).in(Area::Main),
         Range{0, 1000, 50}.blankWhenOutside())
        .filter({CharFilterKind::Digits, 4})
        .at(in(kItemEncodeGroup)),
    list(kItemFirstDigitTime, "first-digit-time", 1144, u16(kFirstDigitTime).in(Area::Main),
         kDigitTimeChoices)
        .coded(kDigitTimeCodec)
        .at(in(kItemEncodeGroup)),
    list(kItemStarHashTime, "star-hash-digit-time", 1145, u16(kStarHashDigitTime).in(Area::Main),
         kDigitTimeChoices)
        .coded(kDigitTimeCodec)
        .at(in(kItemEncodeGroup)),
    group(kItemDecodeGroup, 1139),
    check(kItemRemoteWithoutQt, "remote-without-qt", 1140, u8(kRemoteWithoutQt).in(Area::Main),
          OnOff{.on = 0xFF, .off = 0x00})
        .at(in(kItemDecodeGroup)),
}};

std::unique_ptr<FieldFormSession> openDtmfForm(ConfigImage& image, const FieldEnv& env)
{
    return openMainAreaForm(kDtmfFields, image, env);
}

} // namespace rps::signalling
