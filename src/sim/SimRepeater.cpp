#include "sim/SimRepeater.h"

#include "link/ProtocolBytes.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"

#include <algorithm>

namespace rps::sim {

using namespace rps::proto;

namespace {

// A session lasts until 'E', abandon or a new mode entry, however long the PC is silent: it may
// wait up to 20 s for prepare and a person may take minutes over a password. Only a frame the
// PC began and never finished is forgotten after this much quiet.
constexpr uint64_t kPartialFrameIdleUs = 2'000'000;
// A mode entry text is written in one go; bytes that may begin one wait this long for the rest
// before they are taken as a command.
constexpr uint64_t kEntryTextHoldUs = 20'000;
constexpr std::string_view kProgramText = "PROGRAM";
constexpr std::string_view kTuningText = "TUNING ";

} // namespace

SimRepeater::SimRepeater(SimConfig config, SimMemory memory)
    : config_(std::move(config)), memory_(std::move(memory)), uartBaud_(config_.huntBaud),
      rng_(config_.seed | 1)
{
    for (uint8_t& b : keySeed_) {
        rng_ = rng_ * 1103515245u + 12345u;
        b = static_cast<uint8_t>(rng_ >> 16);
    }
    if (config_.messagePassword)
        std::copy(config_.messagePassword->begin(), config_.messagePassword->end(),
                  memory_.memory.begin() + kMessagePasswordAddress);
}

void SimRepeater::receive(uint8_t byte, uint32_t lineBaud, uint64_t nowUs)
{
    now_ = std::max(now_, nowUs);
    dropStalePartialFrame();
    lastReceivedUs_ = now_;
    if (dead_)
        return;
    const bool entryText = trackEntryText(byte, lineBaud);
    switch (state_) {
    case State::Idle:
        // At another speed than the hunted one the repeater's UART sees only garbled characters.
        if (entryText && lineBaud == config_.huntBaud)
            startEntry(entryText_ == kTuningText);
        return;
    case State::AwaitModeSpeed:
    case State::Programming:
    case State::Tuning:
        // In a session the UART runs at 19200. A whole entry text at a hunting speed means the
        // PC starts over (it was restarted, or gave up on this session): the repeater goes
        // back to hunting as it would after a power cycle.
        if (lineBaud != kModeBaud) {
            if (entryText)
                restartEntry(entryText_ == kTuningText, lineBaud);
            return;
        }
        if (state_ == State::AwaitModeSpeed)
            return;
        rx_.push_back(static_cast<uint8_t>(byte ^ key_));
        process();
        return;
    }
}

bool SimRepeater::trackEntryText(uint8_t byte, uint32_t lineBaud)
{
    if (lineBaud != entryTextBaud_) {
        entryText_.clear();
        entryTextBaud_ = lineBaud;
    }
    entryText_.push_back(static_cast<char>(byte));
    if (entryText_.size() > kProgramText.size())
        entryText_.erase(entryText_.begin());
    return entryText_ == kProgramText || entryText_ == kTuningText;
}

SimRepeater::EntryText SimRepeater::entryTextAtFrameStart() const
{
    // The PC hunts with key 0: compare the bytes as they came over the line.
    for (std::string_view text : {kProgramText, kTuningText}) {
        const std::size_t count = std::min(rx_.size(), text.size());
        bool same = count > 0;
        for (std::size_t i = 0; i < count && same; ++i)
            same = static_cast<uint8_t>(rx_[i] ^ key_) == static_cast<uint8_t>(text[i]);
        if (same)
            return count == text.size() ? EntryText::Whole : EntryText::Start;
    }
    return EntryText::None;
}

bool SimRepeater::holdingEntryText() const
{
    return now_ < lastReceivedUs_ + kEntryTextHoldUs && entryTextAtFrameStart() == EntryText::Start;
}

void SimRepeater::restartEntry(bool tuning, uint32_t lineBaud)
{
    // Like a unit that was switched off and on: what it still had to say is gone.
    leave();
    output_.clear();
    ++droppedCount_;
    if (lineBaud == config_.huntBaud)
        startEntry(tuning);
}

void SimRepeater::dropStalePartialFrame()
{
    if ((state_ == State::Programming || state_ == State::Tuning) && !rx_.empty() &&
        now_ > lastReceivedUs_ + kPartialFrameIdleUs)
        rx_.clear();
}

std::optional<uint64_t> SimRepeater::wakeUs() const
{
    if (dead_ || (state_ != State::Programming && state_ != State::Tuning) || !holdingEntryText())
        return std::nullopt;
    return lastReceivedUs_ + kEntryTextHoldUs;
}

void SimRepeater::startEntry(bool tuning)
{
    entryText_.clear();
    key_ = 0;
    rx_.clear();
    expectAck_ = false;
    awaitingChallenge_ = false;
    tuningEntry_ = tuning;
    uartBaud_ = config_.huntBaud;
    sendPlain(kSyn);
    state_ = State::AwaitModeSpeed;
}

void SimRepeater::poll(uint32_t lineBaud, uint64_t nowUs)
{
    now_ = std::max(now_, nowUs);
    if (dead_)
        return;
    if (state_ == State::Programming || state_ == State::Tuning) {
        // What waited for the rest of an entry text that never came is a command after all.
        if (!rx_.empty() && !holdingEntryText())
            process();
        dropStalePartialFrame();
        return;
    }
    if (state_ != State::AwaitModeSpeed || lineBaud != kModeBaud)
        return;
    // The PC has followed to 19200: some units chatter before they confirm.
    uartBaud_ = kModeBaud;
    for (int i = 0; i < config_.faults.noiseBytes; ++i) {
        rng_ = rng_ * 1103515245u + 12345u;
        const auto junk = static_cast<uint8_t>(rng_ >> 16);
        sendPlain(junk == kAck ? static_cast<uint8_t>(junk + 1) : junk);
    }
    sendPlain(kAck);
    state_ = tuningEntry_ ? State::Tuning : State::Programming;
}

void SimRepeater::send(uint8_t byte, uint64_t delayUs)
{
    if (dead_)
        return;
    uint64_t due = now_ + delayUs;
    if (!output_.empty())
        due = std::max(due, output_.back().dueUs);
    output_.push_back(OutByte{static_cast<uint8_t>(byte ^ key_), due, uartBaud_});
}

void SimRepeater::sendPlain(uint8_t byte)
{
    const uint8_t key = key_;
    key_ = 0;
    send(byte);
    key_ = key;
}

void SimRepeater::sendAll(const std::vector<uint8_t>& bytes)
{
    for (uint8_t b : bytes)
        send(b);
}

void SimRepeater::sendReply(const std::vector<uint8_t>& bytes)
{
    sendAll(bytes);
    expectAck_ = true;
}

void SimRepeater::finish(uint8_t command, bool ok, uint64_t delayUs)
{
    if (takeFault(config_.faults.nakCommands, command))
        ok = false;
    send(ok ? kAck : kNak, delayUs);
}

bool SimRepeater::takeFault(std::map<uint8_t, int>& faults, uint8_t command)
{
    const auto it = faults.find(command);
    if (it == faults.end() || it->second == 0)
        return false;
    if (it->second > 0)
        --it->second;
    return true;
}

void SimRepeater::leave()
{
    state_ = State::Idle;
    uartBaud_ = config_.huntBaud;
    key_ = 0;
    expectAck_ = false;
    awaitingChallenge_ = false;
    rx_.clear();
    entryText_.clear();
}

bool SimRepeater::blockIsDeadly(uint16_t block)
{
    if (config_.faults.dieAtBlock >= 0 && block == config_.faults.dieAtBlock) {
        dead_ = true;
        return true;
    }
    return false;
}

void SimRepeater::storeWrongly(uint16_t block)
{
    // A worn memory cell: the repeater acknowledges the block, but one bit did not take.
    if (config_.faults.storeWrongBlock >= 0 && block == config_.faults.storeWrongBlock && block < kMainBlocks)
        memory_.blocks[block * kBlockSize] ^= 0x01;
}

void SimRepeater::process()
{
    while (!rx_.empty() && (state_ == State::Programming || state_ == State::Tuning)) {
        // A mode entry text is recognised before its 'P' or 'T' is taken as a command.
        const EntryText entry = entryTextAtFrameStart();
        if (entry == EntryText::Whole) {
            restartEntry(rx_[0] == static_cast<uint8_t>(kTuningText[0] ^ key_), kModeBaud);
            return;
        }
        if (entry == EntryText::Start && holdingEntryText())
            return;
        if (awaitingChallenge_) {
            if (!need(2))
                return;
            const uint8_t challenge = rx_[0];
            const bool confirmed = rx_[1] == kAck;
            rx_.erase(rx_.begin(), rx_.begin() + 2);
            awaitingChallenge_ = false;
            if (confirmed) {
                sendPlain(kAck);
                key_ = static_cast<uint8_t>(sum8(keySeed_) ^ challenge);
            }
            continue;
        }
        if (expectAck_) {
            expectAck_ = false;
            if (rx_[0] == kAck || rx_[0] == kNak) {
                rx_.erase(rx_.begin());
                send(kAck);
                continue;
            }
        }
        // A frame the fault list silences changes nothing but what it stored.
        const State state = state_;
        const uint8_t key = key_;
        const bool expectAck = expectAck_;
        const bool awaitingChallenge = awaitingChallenge_;
        const std::size_t queued = output_.size();
        const uint8_t command = rx_[0];
        std::size_t used = 0;
        const Parse parsed = handleFrame(used);
        if (parsed == Parse::NeedMore)
            return;
        if (parsed == Parse::Done && takeFault(config_.faults.silentCommands, command)) {
            state_ = state;
            key_ = key;
            expectAck_ = expectAck;
            awaitingChallenge_ = awaitingChallenge;
            output_.resize(queued, OutByte{0, 0, 0});
        }
        if (parsed == Parse::Unknown)
            used = 1;
        rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(std::min(used, rx_.size())));
    }
    if (state_ != State::Programming && state_ != State::Tuning)
        rx_.clear();
}

SimRepeater::Parse SimRepeater::handleFrame(std::size_t& used)
{
    const uint8_t command = rx_[0];
    const Parse parsed = handleProgrammingFrame(command, used);
    if (parsed != Parse::Unknown) {
        if (parsed == Parse::Done)
            commandLog_.push_back(command);
        return parsed;
    }
    Parse service = handleTestModeFrame(command, used);
    if (service == Parse::Unknown)
        service = handleServiceFrame(command, used);
    if (service == Parse::Done)
        commandLog_.push_back(command);
    return service;
}

std::vector<uint8_t> SimRepeater::identificationReply()
{
    std::vector<uint8_t> reply(kIdentReplySize, 0x00);
    if (config_.unprogrammed)
        std::copy(kUnprogrammedUnitCode.begin(), kUnprogrammedUnitCode.end(), reply.begin());
    else
        std::copy_n(memory_.blocks.begin() + kModelBlockOffset, kModelBlockSize, reply.begin());
    // The write password is the unit's own setting, not the copy in block 4 that the last
    // write left: the repeater asks for it exactly when one is set.
    if (!config_.unprogrammed) {
        ModelBlock block(std::span<const uint8_t>(reply.data(), kModelBlockSize));
        block.setOptionBits(kOptionWritePasswordEmpty, !config_.writePassword.has_value());
        block.writeTo(std::span<uint8_t>(reply.data(), kModelBlockSize));
    }
    for (std::size_t i = 16; i < 32; ++i)
        reply[i] = static_cast<uint8_t>(0xA0 + i);
    std::copy(keySeed_.begin(), keySeed_.end(), reply.begin() + kKeySeedOffset);
    return reply;
}

SimRepeater::Parse SimRepeater::handleProgrammingFrame(uint8_t command, std::size_t& used)
{
    switch (command) {
    case kIdentify:
        used = 1;
        sendAll(identificationReply());
        awaitingChallenge_ = true;
        return Parse::Done;
    case kBlockRead:
    case kBlockReadAlt: {
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        const uint16_t block = word(1);
        if (blockIsDeadly(block))
            return Parse::Done;
        std::vector<uint8_t> data(kBlockSize, 0xFF);
        if (block < kMainBlocks)
            std::copy_n(memory_.blocks.begin() + block * kBlockSize, kBlockSize, data.begin());
        if (std::all_of(data.begin(), data.end(), [&](uint8_t b) { return b == data[0]; })) {
            sendReply({kFillWrite, data[0]});
            return Parse::Done;
        }
        uint8_t checksum = sum8(data);
        if (config_.faults.badChecksums > 0) {
            --config_.faults.badChecksums;
            ++checksum;
        }
        data.insert(data.begin(), kDataReply);
        data.push_back(checksum);
        sendReply(data);
        return Parse::Done;
    }
    case kBlockWrite:
    case kBlockWriteAlt: {
        if (!need(2))
            return Parse::NeedMore;
        if (command == kBlockWriteAlt && rx_[1] == kQuery)
            return Parse::Unknown; // the 'Y' query of the service commands
        if (!need(3 + kBlockSize + 1))
            return Parse::NeedMore;
        used = 3 + kBlockSize + 1;
        const uint16_t block = word(1);
        if (blockIsDeadly(block))
            return Parse::Done;
        const auto first = rx_.begin() + 3;
        const bool ok =
            block < kMainBlocks && sum8(std::span<const uint8_t>(&*first, kBlockSize)) == rx_[3 + kBlockSize];
        if (ok) {
            std::copy_n(first, kBlockSize, memory_.blocks.begin() + block * kBlockSize);
            storeWrongly(block);
        }
        finish(command, ok);
        return Parse::Done;
    }
    case kFillWrite: {
        if (!need(4))
            return Parse::NeedMore;
        used = 4;
        const uint16_t block = word(1);
        if (blockIsDeadly(block))
            return Parse::Done;
        if (block < kMainBlocks) {
            std::fill_n(memory_.blocks.begin() + block * kBlockSize, kBlockSize, rx_[3]);
            storeWrongly(block);
        }
        finish(command, block < kMainBlocks);
        return Parse::Done;
    }
    case kMemoryRead: {
        if (!need(4))
            return Parse::NeedMore;
        used = 4;
        const std::size_t length = rx_[3] == 0 ? 256 : rx_[3];
        std::vector<uint8_t> reply{kMemoryReply};
        for (std::size_t i = 0; i < length; ++i)
            reply.push_back(memory_.memory[(word(1) + i) % kMemorySpaceSize]);
        sendReply(reply);
        return Parse::Done;
    }
    case kMemoryWrite: {
        if (!need(4))
            return Parse::NeedMore;
        const std::size_t length = rx_[3] == 0 ? 256 : rx_[3];
        if (!need(4 + length))
            return Parse::NeedMore;
        used = 4 + length;
        for (std::size_t i = 0; i < length; ++i)
            memory_.memory[(word(1) + i) % kMemorySpaceSize] = rx_[4 + i];
        memoryWrites_.push_back(MemoryWrite{word(1), length});
        finish(command, true);
        return Parse::Done;
    }
    case kPrepare:
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        ++prepareCount_;
        finish(command, rx_[1] == 0x00 && rx_[2] == 0xFF,
               static_cast<uint64_t>(config_.faults.prepareDelayMs) * 1000);
        return Parse::Done;
    case kLeave:
    case kAbandon:
        used = 1;
        finish(command, true);
        ++(command == kLeave ? leaveCount_ : abandonCount_);
        leave();
        return Parse::Done;
    case kInfoReply: {
        if (!need(3))
            return Parse::NeedMore;
        used = 3;
        if (rx_[1] != 'R' || (rx_[2] != 'K' && rx_[2] != 'S'))
            return Parse::Unknown;
        std::vector<uint8_t> data(rx_[2] == 'K' ? 32 : 16);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<uint8_t>(0x10 + i);
        if (rx_[2] == 'K')
            std::copy(config_.serialNumber.begin(), config_.serialNumber.end(), data.begin() + 16);
        std::vector<uint8_t> reply(1 + data.size() + 1);
        reply.front() = kInfoReply;
        std::copy(data.begin(), data.end(), reply.begin() + 1);
        reply.back() = sum8(data);
        sendReply(reply);
        return Parse::Done;
    }
    case kSetClock:
        if (!need(7))
            return Parse::NeedMore;
        used = 7;
        clockSet_ = LocalTime{2000 + rx_[1], rx_[2], rx_[3], rx_[4], rx_[5], rx_[6]};
        finish(command, true);
        return Parse::Done;
    case kDateStamp:
        if (!need(5))
            return Parse::NeedMore;
        used = 5;
        finish(command, rx_[4] == kLeave);
        return Parse::Done;
    case kWritePassword:
    case kMessagePassword: {
        if (!need(7))
            return Parse::NeedMore;
        used = 7;
        std::array<uint8_t, 6> sent{};
        std::copy_n(rx_.begin() + 1, sent.size(), sent.begin());
        bool ok = true;
        if (command == kWritePassword && config_.writePassword)
            ok = sent == *config_.writePassword;
        if (command == kMessagePassword)
            ok = std::equal(sent.begin(), sent.end(), memory_.memory.begin() + kMessagePasswordAddress);
        finish(command, ok);
        return Parse::Done;
    }
    case kProductInfo: {
        used = 1;
        std::vector<uint8_t> info(kProductInfoSize);
        for (std::size_t i = 0; i < info.size(); ++i)
            info[i] = static_cast<uint8_t>('0' + i);
        sendReply(info);
        return Parse::Done;
    }
    default:
        return Parse::Unknown;
    }
}

} // namespace rps::sim
