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

// The adjustment dialogs.
inline constexpr int kGainA = 236;
inline constexpr int kGainB = 237;
inline constexpr int kTemperature = 238;
inline constexpr int kTemperatureUnits = 239;
inline constexpr int kCelsius = 240;
inline constexpr int kFahrenheit = 241;
inline constexpr int kIf20 = 242;
inline constexpr int kAutoTuning = 243;
inline constexpr int kAutoTuningStart = 244;
inline constexpr int kAutoTuningStop = 245;

} // namespace rps::texts
