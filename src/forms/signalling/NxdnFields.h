#pragma once
// "NXDN": the repeater's own unit ID and name, the over-the-air alias, the encryption type and
// the digital audio options, all in the main area.
#include "forms/fields/DeclaredForm.h"

#include <array>

namespace rps::signalling {

inline constexpr int kNxdnTitleText = 845;

namespace nxdn {
inline constexpr int kItemUnitId = 0;
inline constexpr int kItemAlias = 1;
inline constexpr int kItemUnitName = 2;
inline constexpr int kItemEncryption = 3;
inline constexpr int kItemAudioGroup = 4;
inline constexpr int kItemResponseGroup = 5;
inline constexpr int kItemLowCut = 6;
inline constexpr int kItemAudioFilter = 7;
inline constexpr int kItemNoiseSuppressor = 8;
} // namespace nxdn

extern const std::array<fields::FieldRow, 9> kNxdnFields;

std::unique_ptr<FieldFormSession> openNxdnForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
