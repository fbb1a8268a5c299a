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
