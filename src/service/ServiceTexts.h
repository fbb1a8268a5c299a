#pragma once
// Language text numbers of test mode and tuning.
namespace rps::texts {

inline constexpr int kTestChannelDiffers = 775;
inline constexpr int kModelRecordDiffers = 776;
inline constexpr int kTuningFrequenciesDiffer = 788;
inline constexpr int kTestCommandFailed = 798;
inline constexpr int kConfirmReferenceAdjust = 829;
inline constexpr int kConfirmPowerAdjust = 830;
inline constexpr int kTestModeTitle = 94;

} // namespace rps::texts
