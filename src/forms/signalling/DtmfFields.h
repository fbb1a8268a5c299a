#pragma once
// "DTMF": the speed and timing of the repeater's DTMF encoder and whether remote-control
// commands are taken without a matching QT/DQT, all in the DTMF area of the main area.
#include "forms/fields/DeclaredForm.h"

#include <array>

namespace rps::signalling {

inline constexpr int kDtmfTitleText = 842;

namespace dtmf {
inline constexpr int kItemEncodeGroup = 0;
inline constexpr int kItemSpeed = 1;
inline constexpr int kItemFirstDigitDelay = 2;
inline constexpr int kItemFirstDigitTime = 3;
inline constexpr int kItemStarHashTime = 4;
inline constexpr int kItemDecodeGroup = 5;
inline constexpr int kItemRemoteWithoutQt = 6;
} // namespace dtmf

extern const std::array<fields::FieldRow, 7> kDtmfFields;

std::unique_ptr<FieldFormSession> openDtmfForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
