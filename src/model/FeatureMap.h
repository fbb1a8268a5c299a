#pragma once
// Where the repeater keeps its repeater-wide features in the main area: timers, the function
// port, the places that hold function codes and the remote-control entries that follow them.
// Every feature rule names its bytes from here.
#include <cstddef>
#include <cstdint>

namespace rps::feature {

// Channel-select function codes: low byte '!' and the channel number 1..30 in the high byte.
inline constexpr uint8_t kChannelSelectLow = 0x21;
inline constexpr int kChannelSelectLast = 30;

// A group of three u16 function-code slots that fill from the first.
inline constexpr std::size_t kSlotsPerGroup = 3;
inline constexpr std::size_t kSlotStride = 2;
inline constexpr std::size_t kGroupStride = 8; // groups of a table lie 8 bytes apart

// Front-panel keys 1..6: one group each.
inline constexpr int kKeyCount = 6;
inline constexpr std::size_t kKeyFunctions = 0x2C0;

// Function port: six ports whose mode says whether they are inputs or outputs.
inline constexpr int kPortCount = 6;
inline constexpr std::size_t kPortModes = 0x2A8;        // one byte per port
inline constexpr std::size_t kPortModeScanLast = 0x2AE; // last byte the "no port in mode 2" test reads
inline constexpr std::size_t kInputLevel = 0x2AF;
inline constexpr int kFixedInputCount = 3;
inline constexpr std::size_t kFixedInputFunctions = 0x2F0; // groups of three codes
inline constexpr std::size_t kPortInputFunctions = 0x308;  // groups of three codes, by port
inline constexpr int kFixedOutputCount = 5;
inline constexpr std::size_t kFixedOutputs = 0x500; // output function byte, then level byte
inline constexpr std::size_t kPortOutputs = 0x530;  // the same, by port
inline constexpr uint8_t kOutputDrivenByKey = 0x3C;

// Event tables of the optional features.
inline constexpr std::size_t kStartUpFunctions = 0x360;
inline constexpr int kTxRxRowCount = 4;
inline constexpr std::size_t kTxRxRows[kTxRxRowCount] = {0x350, 0x358, 0x340, 0x348};
inline constexpr int kTimerCount = 3;
inline constexpr std::size_t kTimerValues = 0x378; // one byte per timer; 0 = off
inline constexpr std::size_t kTimerFunctions = 0x380;
inline constexpr int kConnectionRowCount = 5;
inline constexpr std::size_t kConnectionFunctions = 0x450;

// Settings that decide which functions are offered.
inline constexpr std::size_t kRepeaterTot = 0x290;     // u8, seconds × 2
inline constexpr std::size_t kRepeatHoldTimer = 0x291; // u8, seconds × 10
inline constexpr std::size_t kLocalMicTot = 0x56C;     // u16 seconds
inline constexpr std::size_t kVotingPilotTone = 0x277; // 0xFF = off
inline constexpr int kMessageRecordCount = 8;
inline constexpr std::size_t kMessageRecords = 0x580; // 32-byte records, first byte 0xFF = unused
inline constexpr std::size_t kMessageRecordSize = 32;

// Optional features, page 1: repeater TOT, timers, tones and levels, options.
inline constexpr std::size_t kTotPreAlert = 0x29C;
inline constexpr std::size_t kTotRekey = 0x29D;
inline constexpr std::size_t kTotReset = 0x29E;
inline constexpr std::size_t kDqtTurnOffTime = 0x26D;
inline constexpr std::size_t kQtReverseBurstTime = 0x26E;
inline constexpr std::size_t kQtDecodeDelay = 0x296;
inline constexpr std::size_t kTestTone = 0x292; // BCD Hz
inline constexpr std::size_t kSquelchLevel = 0x29F;
inline constexpr std::size_t kSignalResetTimer = 0x42E;
inline constexpr std::size_t kRxSignalDetect = 0x448; // u16, −dBm × 10
inline constexpr std::size_t kExternalMonitor = 0x295;
inline constexpr std::size_t kFanAction = 0x2A0;
inline constexpr std::size_t kOffHookDecode = 0x294;
inline constexpr std::size_t kTxStandby = 0x282;
inline constexpr std::size_t kScramblerBackup = 0x2A1;
inline constexpr std::size_t kExternalReference = 0x423;
inline constexpr std::size_t kFirmwareProgramming = 0x260;
inline constexpr std::size_t kReadPassword = 0x250;      // six characters, 0xFF = none
inline constexpr std::size_t kOverwritePassword = 0x262; // six characters, 0xFF = none
inline constexpr std::size_t kDataPasswordLength = 6;

// Optional features, page 2: local microphone TOT, busy channel lockout, tones.
inline constexpr std::size_t kLocalMicTotPreAlert = 0x569;
inline constexpr std::size_t kLocalMicTotRekey = 0x56A;
inline constexpr std::size_t kLocalMicTotReset = 0x56B;
inline constexpr std::size_t kBusyLockoutAnalog = 0x568;
inline constexpr std::size_t kBusyLockoutDigital = 0x567;
inline constexpr std::size_t kToneVolume = 0x2B9;
inline constexpr std::size_t kToneOptions = 0x2B8; // bit clear = tone on
inline constexpr uint8_t kPowerOnToneBit = 0x01;
inline constexpr uint8_t kControlToneBit = 0x02;
inline constexpr uint8_t kWarningToneBit = 0x04;
inline constexpr std::size_t kCourtesyTonePeriod = 0x426;    // u16, ms ÷ 10; 0 = courtesy tone off
inline constexpr uint16_t kCourtesyTonePeriodOn = 10;        // 100 ms when the tone is ticked
inline constexpr std::size_t kCourtesyToneFrequency = 0x428; // BCD Hz
inline constexpr std::size_t kEncodePauseTime = 0x424;       // u16, seconds × 10
inline constexpr std::size_t kSendToRaByte = 0x42B;
inline constexpr uint8_t kSendToRaBit = 0x10;
inline constexpr std::size_t kVotingPilotFrequency = 0x278; // u16 choice

// PTT priority: three source codes, highest priority first.
inline constexpr std::size_t kPttPriority = 0x298;
inline constexpr int kPttPriorityCount = 3;

// Remote-control entries: three bytes each (activation code, deactivation code, type).
inline constexpr std::size_t kRemoteEntrySize = 3;
inline constexpr std::size_t kRemoteKeys = 0x690;
inline constexpr std::size_t kRemoteFixedInputs = 0x6B0;
inline constexpr std::size_t kRemotePortInputs = 0x6B9;
inline constexpr std::size_t kRemoteFixedOutputs = 0x6D0;
inline constexpr std::size_t kRemotePortOutputs = 0x6E2;

// Scan settings: single bytes, times in tenths of a second.
inline constexpr std::size_t kScanPriority = 0x2B0; // 0xFF off, '0' priority scan, '1' the other mode
inline constexpr std::size_t kScanLookBackA = 0x2B1;
inline constexpr std::size_t kScanLookBackB = 0x2B2;
inline constexpr std::size_t kScanRevert = 0x2B3;
inline constexpr std::size_t kScanDropoutDelay = 0x2B4;
inline constexpr std::size_t kScanDwell = 0x2B5;
inline constexpr std::size_t kScanPriorityChannel = 0x2B6; // channel 1..30, 0xFF = none
inline constexpr std::size_t kOffHookScan = 0x2B7;

// Advanced settings: two low-level parameters and the tuning frequency pairs.
inline constexpr std::size_t kRepeatHangTime = 0x280;      // u16, seconds x 100, 0 = off
inline constexpr std::size_t kQtReverseBurstPhase = 0x283; // degrees, 0xFF reads as 180
inline constexpr int kTuningPointCount = 5;
inline constexpr std::size_t kTuningPoints = 0x3C0; // per point: u32 first, u32 second frequency
inline constexpr std::size_t kTuningPointSize = 8;

} // namespace rps::feature
