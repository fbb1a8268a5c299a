#pragma once
// The radio side of the programming protocol. Bytes from the PC go in with the line speed
// the PC had set when they were sent; answers come out with the earliest time they may
// leave. Times are microseconds on the host's clock. The hosts (the in-process device of the tests, the
// pseudo-terminal program) move the bytes and the time; this class holds the repeater's behaviour and
// memories.
#include "link/LocalTime.h"
#include "sim/SimMemory.h"
#include "sim/SimTestModeState.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rps::sim {

// Faults a technician meets on the bench.
struct SimFaults {
    int badChecksums = 0;                  // the next N block-read replies carry a wrong checksum
    std::map<uint8_t, int> silentCommands; // command byte -> times it goes unanswered (-1 = always)
    std::map<uint8_t, int> nakCommands;    // command byte -> times its final answer is NAK
    int noiseBytes = 0;                    // junk sent between SYN and ACK
    int prepareDelayMs = 0;                // the prepare answer comes this late
    int dieAtBlock = -1;                   // stops answering for good at this block
    int storeWrongBlock = -1;              // this block, when written, keeps its first byte flipped
};

struct SimConfig {
    uint32_t huntBaud = 9600;  // the speed the repeater listens for a mode entry at
    bool unprogrammed = false; // identifies as an unprogrammed unit
    std::optional<std::array<uint8_t, 6>> writePassword;
    // Put at 0xFD40 on start: the embedded-message password (six 0xFF = none); nothing keeps
    // what the memory holds.
    std::optional<std::array<uint8_t, 6>> messagePassword;
    uint32_t seed = 1; // key seed bytes and noise
    // Bytes 16..27 of the unit record; erased positions read 0xFF.
    std::array<uint8_t, 12> serialNumber{'S', 'N', '0', '0', '0', '0', '3', '6', '0', '1', '2', '3'};
    SimFaults faults;
};

struct MemoryWrite {
    uint16_t address;
    std::size_t length;
    bool operator==(const MemoryWrite&) const = default;
};

struct OutByte {
    uint8_t byte;
    uint64_t dueUs;
    uint32_t baud = 0; // the speed the repeater's UART sends it at
};

class SimRepeater {
public:
    SimRepeater(SimConfig config, SimMemory memory);

    // A byte arrives; lineBaud is the speed the PC's side of the line was set to.
    void receive(uint8_t byte, uint32_t lineBaud, uint64_t nowUs);
    // Time passed or the PC changed its line speed.
    void poll(uint32_t lineBaud, uint64_t nowUs);
    // When the repeater will act without a new byte: bytes that may begin a mode entry text
    // are held until then. Nothing when it waits for the PC alone.
    std::optional<uint64_t> wakeUs() const;
    std::deque<OutByte>& output() { return output_; }

    SimMemory& memory() { return memory_; }
    const SimMemory& memory() const { return memory_; }
    SimConfig& config() { return config_; }
    bool inMode() const { return state_ == State::Programming || state_ == State::Tuning; }
    bool tuningMode() const { return state_ == State::Tuning; }
    uint8_t key() const { return key_; }
    std::optional<LocalTime> clockSet() const { return clockSet_; }
    int prepareCount() const { return prepareCount_; }
    int leaveCount() const { return leaveCount_; }
    int abandonCount() const { return abandonCount_; }
    int droppedCount() const { return droppedCount_; } // sessions ended by a new mode entry
    const std::vector<uint8_t>& commandLog() const { return commandLog_; }
    const std::vector<MemoryWrite>& memoryWrites() const { return memoryWrites_; }
    SimTestModeState& testMode() { return testMode_; }

private:
    enum class State { Idle, AwaitModeSpeed, Programming, Tuning };
    enum class Parse { NeedMore, Done, Unknown };
    enum class EntryText { None, Start, Whole };

    void startEntry(bool tuning);
    bool trackEntryText(uint8_t byte, uint32_t lineBaud);
    EntryText entryTextAtFrameStart() const;
    void restartEntry(bool tuning, uint32_t lineBaud);
    bool holdingEntryText() const;
    void dropStalePartialFrame();
    void process();
    Parse handleFrame(std::size_t& used);
    Parse handleProgrammingFrame(uint8_t command, std::size_t& used);
    Parse handleServiceFrame(uint8_t command, std::size_t& used);
    Parse handleTestModeFrame(uint8_t command, std::size_t& used);
    bool need(std::size_t count) const { return rx_.size() >= count; }
    uint16_t word(std::size_t at) const { return static_cast<uint16_t>((rx_[at] << 8) | rx_[at + 1]); }
    bool takeFault(std::map<uint8_t, int>& faults, uint8_t command);

    void send(uint8_t byte, uint64_t delayUs = 0);
    void sendPlain(uint8_t byte);
    void sendAll(const std::vector<uint8_t>& bytes);
    void finish(uint8_t command, bool ok, uint64_t delayUs = 0);
    void sendReply(const std::vector<uint8_t>& bytes);

    std::vector<uint8_t> identificationReply();
    void leave();
    bool blockIsDeadly(uint16_t block);
    void storeWrongly(uint16_t block);
    uint8_t pointWidth(uint8_t command) const;
    std::vector<uint8_t> serviceReplyFor(uint8_t command);
    // 0x20, QUERY: state, IF level and value of the automatic adjustment, each value high byte first.
    std::vector<uint8_t> automaticReport();
    uint16_t lockMillivolts() const;
    // The clock as twelve digits YYMMDDhhmmss: the last time set, else the bench clock.
    std::vector<uint8_t> clockDigits() const;

    SimConfig config_;
    SimMemory memory_;
    State state_ = State::Idle;
    bool tuningEntry_ = false;
    bool dead_ = false;
    uint8_t key_ = 0;
    std::array<uint8_t, 12> keySeed_{};
    bool awaitingChallenge_ = false;
    bool expectAck_ = false;
    std::string entryText_;
    uint32_t entryTextBaud_ = 0;
    uint32_t uartBaud_ = 0; // the hunted speed until the PC follows to 19200
    std::vector<uint8_t> rx_;
    std::deque<OutByte> output_;
    uint64_t now_ = 0;
    uint64_t lastReceivedUs_ = 0;
    uint32_t rng_ = 1;

    std::optional<LocalTime> clockSet_;
    int prepareCount_ = 0;
    int leaveCount_ = 0;
    int abandonCount_ = 0;
    int droppedCount_ = 0;
    std::vector<uint8_t> commandLog_;
    std::vector<MemoryWrite> memoryWrites_;
    std::map<uint8_t, uint16_t> pointValues_;
    std::map<uint8_t, bool> switches_;
    SimTestModeState testMode_;
};

} // namespace rps::sim
