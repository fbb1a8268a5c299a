#pragma once
// Language text numbers of the radio link's messages, captions and prompts.
#include "texts/CommonTexts.h"

namespace rps::texts {

inline constexpr int kPortCannotOpen = 772;
inline constexpr int kNoAnswer = 773;
inline constexpr int kUnsupportedModel = 774;
inline constexpr int kModelDiffers = 777;
inline constexpr int kPasswordRefused = 779;
inline constexpr int kUnprogrammedUnit = 813;
inline constexpr int kIdentificationRefused = 819;
inline constexpr int kWriteWarning = 582;
inline constexpr int kWriteWarningPasswordNote = 583;
inline constexpr int kWriteWarningQuestion = 584;
inline constexpr int kReadPassword = 1025;
inline constexpr int kWritePassword = 1026;
inline constexpr int kPasswordCaption = 557;
inline constexpr int kProblemHeading = 574;
inline constexpr int kProblemScanPriority = 1168;
inline constexpr int kProblemUnitId = 1030;
inline constexpr int kProblemEncryptionKey = 936;
// The read-back after a write.
inline constexpr int kReadBackDiffers = 491;
inline constexpr int kReadBackBlock = 492;
inline constexpr int kReadBackWindow = 493;
inline constexpr int kReadBackBytes = 494;

} // namespace rps::texts
