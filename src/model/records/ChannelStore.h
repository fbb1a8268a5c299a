#pragma once
// The channel store: the index table at the start of the main area and the records packed
// from 0x1000 in ascending channel order. Every other part of the program reaches channel
// data through here.
//
// An index table that came from a file or a repeater is not trusted: an entry that is not a
// record boundary inside the channel area, or that breaks the packed order, makes its channel
// read as empty, so no access can leave the channel area. Such entries are left as they are
// until the user creates or deletes a channel, which rewrites the table in packed form.
#include "model/ConfigImage.h"
#include "model/records/ChannelLayout.h"

#include <array>
#include <optional>
#include <span>

namespace rps {

class ChannelStore {
public:
    explicit ChannelStore(ConfigImage& image) : main_(image.main()), aux_(image.aux()) {}
    ChannelStore(std::span<uint8_t> mainArea, std::span<uint8_t> auxArea) : main_(mainArea), aux_(auxArea) {}

    bool isProgrammed(int channel) const { return recordOffset(channel).has_value(); }
    // Image offset of a programmed channel's record.
    std::optional<std::size_t> recordOffset(int channel) const;
    std::span<uint8_t> record(int channel);
    std::span<const uint8_t> record(int channel) const;
    int programmedCount() const;
    std::size_t freeBytes() const;

    // Makes an empty channel programmed with the initial values of a new channel (the
    // frequency is left none for the caller). Returns false when the channel was programmed.
    bool create(int channel);
    // Removes a programmed channel and everything that refers to it: its scrambler and
    // encryption bits, the priority channel and its channel-select function code.
    bool remove(int channel);

    bool encryptionOn(int channel) const { return auxBitOn(kEncryptionBitsOffset, channel); }
    bool voiceScramblerOn(int channel) const { return auxBitOn(kVoiceScramblerBitsOffset, channel); }
    void setEncryptionOn(int channel, bool on) { setAuxBit(kEncryptionBitsOffset, channel, on); }
    void setVoiceScramblerOn(int channel, bool on) { setAuxBit(kVoiceScramblerBitsOffset, channel, on); }

    // Entry counts of multi tables 1..15 (0xFF reads as 0).
    int multiTableCount(int table, uint8_t channelType) const;
    bool anyMultiTableFor(uint8_t channelType) const;

    std::span<uint8_t> mainArea() { return main_; }
    std::span<const uint8_t> mainArea() const { return main_; }

private:
    // Offsets of the channels whose entries are trusted; nothing for the others.
    std::array<std::optional<std::size_t>, kChannelCount> trustedOffsets() const;
    void rewriteIndexTable(const std::array<bool, kChannelCount>& programmed);
    bool auxBitOn(std::size_t base, int channel) const;
    void setAuxBit(std::size_t base, int channel, bool on);
    void writeInitialValues(std::span<uint8_t> record, int channel);

    std::span<uint8_t> main_;
    std::span<uint8_t> aux_;
};

} // namespace rps
