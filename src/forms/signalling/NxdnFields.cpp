#include "forms/signalling/NxdnFields.h"

#include "forms/signalling/MainAreaSession.h"
#include "model/SignallingMap.h"

namespace rps::signalling {

using namespace fields;
using namespace nxdn;

namespace {

constexpr uint16_t kNoUnitId = 0xFFFF;
constexpr Choice kEncryptionChoices[] = {{0xFF, 1364}, {0x30, 1365}};
constexpr Choice kAudioFilterChoices[] = {{0xFF, 1370}, {0x30, 1371}, {0x31, 1372}};

constexpr Place inGroup(int group)
{
    return Place{0, 0, group};
}

} // namespace

const std::array<FieldRow, 9> kNxdnFields{{
    // An emptied ID is no ID; the spin buttons leave "no ID" for either end of the range.
    spin(kItemUnitId, "unit-id", 1030, u16(kNxdnUnitId).in(Area::Main),
         Range{1, 65519, 1}.offAt(kNoUnitId, 0, false))
        .filter({CharFilterKind::Digits, 5}),
    check(kItemAlias, "over-the-air-alias", 1040, u8(kNxdnAlias).in(Area::Main),
          OnOff{.on = 0x00, .off = 0xFF}),
    edit(kItemUnitName, "unit-name", 1031,
         text(kNxdnUnitName, static_cast<int>(kNxdnUnitNameSize))
             .in(Area::Main)
             .padded(0x00)
             .codec(TextCodec::Printable),
         {CharFilterKind::Printable, static_cast<int>(kNxdnUnitNameSize)}),
    list(kItemEncryption, "encryption", 1363, u8(kNxdnEncryption).in(Area::Main), kEncryptionChoices),
    group(kItemAudioGroup, 1366),
    group(kItemResponseGroup, 1367).at(inGroup(kItemAudioGroup)),
    check(kItemLowCut, "low-cut", 1368, u8(kNxdnLowCut).in(Area::Main), OnOff{.on = 0x30, .off = 0xFF})
        .at(inGroup(kItemResponseGroup)),
    list(kItemAudioFilter, "audio-filter", 1369, u8(kNxdnAudioFilter).in(Area::Main), kAudioFilterChoices)
        .at(inGroup(kItemAudioGroup)),
    check(kItemNoiseSuppressor, "noise-suppressor", 1373,
          bits8(kNxdnAudioOptions, kNoiseSuppressorBit).in(Area::Main), OnOff{.on = 1, .off = 0})
        .at(inGroup(kItemAudioGroup)),
}};

std::unique_ptr<FieldFormSession> openNxdnForm(ConfigImage& image, const FieldEnv& env)
{
    return openMainAreaForm(kNxdnFields, image, env);
}

} // namespace rps::signalling
