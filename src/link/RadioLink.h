#pragma once
// The link object: the programming protocol spoken over the scrambled serial port. The PC
// always starts an exchange with a command byte; the repeater only answers. Results follow
// the protocol's convention: 0 = success, 1 = failure (no, short or wrong answer), some
// operations have further codes.
//
// Exchanges never overlap: a running command refuses to start another one (a timer tick or
// click dispatched by the message pump cannot interleave frames), and a LinkSession claims
// the link for a whole transfer or service run.
#include "link/LocalTime.h"
#include "link/ScrambledSerialPort.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace rps {

inline constexpr int kLinkOk = 0;
inline constexpr int kLinkFailed = 1;
inline constexpr int kLinkRefused = 2; // password refused; also "close failed" of a transfer

// Program-wide link options of the support utility.
struct LinkOptions {
    bool encryptMode = true;     // clock-based challenge; off keeps the traffic plain
    bool waitForUsb = true;      // 100 ms pause after the key agreement
    bool synAckLongWait = false; // tuning entry waits an hour for the ACK after SYN
};

using ModelRecord = std::array<uint8_t, 16>;
using PasswordBytes = std::array<uint8_t, 6>;

class RadioLink : public ScrambledSerialPort {
public:
    explicit RadioLink(ByteDevice& device);

    void setKey(uint8_t key) override { ScrambledSerialPort::setKey(key); }

    // One step of the message pump (dispatch at most one pending event, never wait).
    void setMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }
    void pumpMessages();
    void setClock(std::function<LocalTime()> clock) { clock_ = std::move(clock); }
    LinkOptions& options() { return options_; }
    const LinkOptions& options() const { return options_; }

    // Claimed by a transfer or service run for its whole length.
    bool claim();
    void release() { claimed_ = false; }
    bool claimed() const { return claimed_; }
    bool exchanging() const { return inCommand_; }

    void setBlockSize(int size) { blockSize_ = size; }
    int blockSize() const { return blockSize_; }
    const std::array<uint8_t, 48>& identificationReply() const { return identReply_; }

    // Mode entry: 0 = in the mode at 19200 baud, 1 = not entered (left at 19200 baud with the
    // former read time-out).
    int enterProgramMode();
    int enterTuningMode();
    // Identification and key agreement; on success the scrambling key is set.
    int identify(ModelRecord& record);

    int readBlock(std::span<uint8_t> destination, uint16_t block, bool alternate = false);
    int writeBlock(std::span<const uint8_t> source, uint16_t block, bool alternate = false);
    int readMemory(std::span<uint8_t> destination, uint16_t address);   // 1..256 bytes
    int writeMemory(std::span<const uint8_t> source, uint16_t address); // 1..256 bytes
    int prepareWrite();
    int leaveMode();     // with the 9600-baud retry
    int leaveModeOnce(); // a single 'E'
    int abandonWrite();

    // 'U'-framed information reads ("URK" 32 bytes, "URS" 16 bytes).
    int readInformation(std::string_view command, std::span<uint8_t> destination);
    int setRadioClock(const LocalTime& time);
    int setRadioClock() { return setRadioClock(clock_()); }
    int setDateStamp(const LocalTime& time);
    int setDateStamp() { return setDateStamp(clock_()); }
    // 0 = accepted, 2 = refused, 1 = no answer.
    int checkWritePassword(const PasswordBytes& password);
    int checkMessagePassword(const PasswordBytes& password);

    // Service commands of test mode, tuning and the service tools.
    int readProductInfo(std::span<uint8_t, 12> destination);                  // 'P'
    int selectTestChannel(uint8_t number, std::span<uint8_t, 8> frequencies); // 0x10
    int selectTestSignalling(uint8_t number);                                 // 0x11
    int readTuningFrequencies(std::span<uint8_t, 40> destination);            // 'B'
    int readToneValues(std::span<uint8_t, 6> destination);                    // 0x0D
    int readAlignmentDump(std::span<uint8_t> destination);                    // 0x05
    int readPointValues(std::span<uint8_t> destination, bool swapPairs);      // 0x07
    int setTransmit(bool on);                                                 // 0x08
    int switchFunction(uint8_t command, bool on);                             // C, ON/OFF
    int switchTestFunction(uint8_t command, bool on);                         // C, 'T', ON/OFF
    int queryValue(uint8_t command, uint8_t& value);                          // C, QUERY -> 1
    int queryValues(uint8_t command, std::span<uint8_t> destination);         // C, QUERY -> n
    int startBerOutput(uint8_t first, uint8_t second);                        // 0xC2, ON
    int stopBerOutput();                                                      // 0xC2, OFF
    int queryBer(std::span<uint8_t, 2> destination);                          // 0xC2, QUERY
    int queryThreeBytes(uint8_t command, std::span<uint8_t, 3> destination);  // 'Y' or C, QUERY
    int queryFiveBytes(std::span<uint8_t, 5> destination);                    // 0x20, QUERY
    int queryTwoBytes(std::span<uint8_t, 2> destination, bool sendCommand);   // 0xB3, QUERY
    int readRadioClock(std::span<uint8_t> destination);                       // 0xB3, 'R'
    int readFirmwareChecksum(std::span<uint8_t, 2> destination);              // '|'
    int readTwoByteStatus(std::span<uint8_t, 2> destination);                 // '}'
    int readUnitVersion(uint8_t unit, std::span<uint8_t, 2> destination);     // 0x13, unit, 0x03
    int selectTestMode(uint8_t mode);                                         // 'O', 1..3
    int selectSpacing(int spacing);                                           // 'F' 'G' 'L' 'M' 'C'
    int stepValue(uint8_t command, int step, bool twoByte);                   // value-step frame
    int setValue(uint8_t command, uint8_t value);                             // C, 0x1C, 1 byte
    int setValue16(uint8_t command, uint16_t value);                          // C, 0x1C, 2 bytes

private:
    template <typename F> int exchange(F&& body);
    int enterMode(bool tuning);
    int leaveOnce();
    int huntFailed(int rememberedTimeout);
    bool setBaud(uint32_t baud);
    bool readByte(uint8_t& byte);
    bool readByteWithin(uint8_t& byte, int timeoutMs);
    int answer();
    int answerWithin(int timeoutMs);
    int replyAndAck(std::span<uint8_t> destination, bool nakAccepted);
    int readBlockAttempt(std::span<uint8_t> destination, uint16_t block, bool alternate, bool& final);
    bool writeAddress(uint16_t value);

    std::function<void()> pump_;
    std::function<LocalTime()> clock_ = currentLocalTime;
    LinkOptions options_;
    int blockSize_ = 0;
    std::array<uint8_t, 48> identReply_{};
    bool claimed_ = false;
    bool inCommand_ = false;
};

// Claims the link for one transfer or service run; released on every path.
class LinkSession {
public:
    explicit LinkSession(RadioLink& link) : link_(link), owns_(link.claim()) {}
    ~LinkSession()
    {
        if (owns_)
            link_.release();
    }
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;
    explicit operator bool() const { return owns_; }

private:
    RadioLink& link_;
    bool owns_;
};

} // namespace rps

namespace rps {

template <typename F> int RadioLink::exchange(F&& body)
{
    // A command pumped into life while another runs would interleave its frames with the
    // running one; it is refused instead.
    if (inCommand_)
        return kLinkFailed;
    inCommand_ = true;
    const int result = body();
    inCommand_ = false;
    return result;
}

} // namespace rps
