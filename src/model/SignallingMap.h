#pragma once
// Where the repeater keeps its signalling settings in the main area: the DTMF encoder and its
// area, the encode and decode code tables with the transpond tones, the CW settings and
// messages, and the repeater's own NXDN identity and audio options. Every signalling form and
// the default builder name their bytes from here.
#include <cstddef>
#include <cstdint>

namespace rps::signalling {

// DTMF area: encoder timing, the remote-control assignments (from 0x0690), the transpond tones.
inline constexpr std::size_t kDtmfArea = 0x0680;
inline constexpr std::size_t kDtmfSpeed = 0x0689;         // digits per second: 6, 8, 10 or 15
inline constexpr std::size_t kFirstDigitTime = 0x068A;    // u16 ms: 0, 100, 500 or 1000
inline constexpr std::size_t kFirstDigitDelay = 0x068C;   // u16 ms, 0..1000 step 50
inline constexpr std::size_t kStarHashDigitTime = 0x068E; // u16 ms: 0, 100, 500 or 1000
inline constexpr std::size_t kRemoteAssignments = 0x0690; // first byte the defaults leave 0xFF
inline constexpr std::size_t kDtmfFlags = 0x06F8;         // bit 1: side tone off
inline constexpr uint8_t kSideToneOffBit = 0x02;
inline constexpr std::size_t kRemoteWithoutQt = 0x06F9;    // 0xFF = accepted without QT/DQT
inline constexpr std::size_t kActivationTone = 0x06FA;     // u16 BCD Hz
inline constexpr std::size_t kDeactivationTone = 0x06FC;   // u16 BCD Hz
inline constexpr std::size_t kActivationPeriod = 0x06FE;   // u8, ms / 50
inline constexpr std::size_t kDeactivationPeriod = 0x06FF; // u8, ms / 50
inline constexpr std::size_t kDtmfAreaEnd = 0x0DC0;        // one past the last byte of the area

// Encode and decode tables: 24-byte code records, one DTMF digit per byte, 0xFF after the code.
inline constexpr std::size_t kCodeRecordSize = 24;
inline constexpr std::size_t kCodeDigits = 16; // bytes 16..23 stay 0xFF
inline constexpr std::size_t kEncodeTable = 0x5800;
inline constexpr int kEncodeCount = 32;
inline constexpr std::size_t kDecodeTable = 0x5B00;
inline constexpr int kDecodeCount = 40;
inline constexpr uint8_t kEncodeCodeBase = 0x80; // code number of encode row 1; decode row 1 is 0x00
inline constexpr uint8_t kNoCode = 0xFF;

// CW: repeater-wide message settings and eight 32-byte messages (first byte 0xFF = unused).
inline constexpr std::size_t kCwSendToRa = 0x0570;
inline constexpr std::size_t kCwSpeed = 0x0571;          // words per minute, 5..30
inline constexpr std::size_t kCwAudioFrequency = 0x0572; // 10 Hz units
inline constexpr std::size_t kCwEncodeWithQt = 0x0573;
inline constexpr std::size_t kCwModulationDelay = 0x0574; // 10 ms units, 0 = none
inline constexpr std::size_t kCwMessages = 0x0580;
inline constexpr int kCwMessageCount = 8;
inline constexpr std::size_t kCwTextSize = 32;

// NXDN: the repeater's own unit name and ID, alias, encryption and audio options.
inline constexpr std::size_t kNxdnUnitName = 0x0410; // 14 characters padded with 0x00
inline constexpr std::size_t kNxdnUnitNameSize = 14;
inline constexpr std::size_t kNxdnAlias = 0x041E;        // 0x00 = on, 0xFF = off
inline constexpr std::size_t kNxdnUnitId = 0x0420;       // u16 1..65519, 0xFFFF = none
inline constexpr std::size_t kNxdnEncryption = 0x0422;   // 0xFF or '0'
inline constexpr std::size_t kNxdnAudioOptions = 0x042B; // bit 0: noise suppressor on
inline constexpr uint8_t kNoiseSuppressorBit = 0x01;
inline constexpr std::size_t kNxdnAudioFilter = 0x042C; // 0xFF, '0' or '1'
inline constexpr std::size_t kNxdnLowCut = 0x042D;      // '0' = on, 0xFF = off

} // namespace rps::signalling
