#pragma once
// Control bytes and fixed values of the programming protocol.
#include <array>
#include <cstdint>

namespace rps::proto {

inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kSyn = 0x16;
inline constexpr uint8_t kOn = 0x0D;
inline constexpr uint8_t kOff = 0x0E;
inline constexpr uint8_t kQuery = 0x0C;

inline constexpr uint8_t kIdentify = 0x02;
inline constexpr uint8_t kWritePassword = 0x03;
inline constexpr uint8_t kBlockRead = 'R';
inline constexpr uint8_t kBlockReadAlt = 'T';
inline constexpr uint8_t kBlockWrite = 'W';
inline constexpr uint8_t kBlockWriteAlt = 'Y';
inline constexpr uint8_t kFillWrite = 'Z';
inline constexpr uint8_t kDataReply = 'W';
inline constexpr uint8_t kMemoryRead = 'S';
inline constexpr uint8_t kMemoryReply = 'X';
inline constexpr uint8_t kMemoryWrite = 'X';
inline constexpr uint8_t kPrepare = ',';
inline constexpr uint8_t kLeave = 'E';
inline constexpr uint8_t kAbandon = 0xE7;
inline constexpr uint8_t kInfoReply = 'U';
inline constexpr uint8_t kSetClock = '_';
inline constexpr uint8_t kDateStamp = '/';
inline constexpr uint8_t kMessagePassword = '-';
inline constexpr uint8_t kProductInfo = 'P';
inline constexpr uint8_t kStepUp = 0x0A;
inline constexpr uint8_t kStepDown = 0x0B;
inline constexpr uint8_t kStepBy = 0x1A;
inline constexpr uint8_t kStepBackBy = 0x1B;
inline constexpr uint8_t kSetValue = 0x1C;

inline constexpr std::size_t kIdentReplySize = 48;
inline constexpr std::size_t kKeySeedOffset = 32;
inline constexpr std::size_t kKeySeedSize = 12;
inline constexpr std::size_t kPasswordSize = 6;
inline constexpr std::size_t kProductInfoSize = 12;

struct HuntRow {
    uint32_t baud;
    int replyWaitMs;
};

// Mode entry tries the common rates first and gives each about 100 ms.
inline constexpr std::array<HuntRow, 7> kHuntTable{{
    {9600, 115},
    {19200, 105},
    {4800, 123},
    {2400, 138},
    {1200, 170},
    {38400, 102},
    {57600, 101},
}};

inline constexpr uint32_t kModeBaud = 19200;
inline constexpr uint32_t kFallbackBaud = 9600;
inline constexpr int kModeReadTimeoutMs = 550;
inline constexpr int kSynAckWaitMs = 3000;
inline constexpr int kSynAckLongWaitMs = 3600000;
inline constexpr int kWriteAnswerTimeoutMs = 3000;
inline constexpr int kPrepareTimeoutMs = 20000;

// 8-bit sum of the data bytes: the checksum of block and information frames.
template <typename Range> uint8_t sum8(const Range& bytes)
{
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return static_cast<uint8_t>(sum & 0xFF);
}

} // namespace rps::proto
