#pragma once
// The 16-byte model block at main-area 0x0400 (also in the data file header and in the
// repeater's identification reply): identifier, destination variant, band type, two
// reserved bytes and the option flags. Bit set in the option flags = option off.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace rps {

inline constexpr std::size_t kModelBlockSize = 16;
inline constexpr std::size_t kModelIdentifierLength = 8;

// Option flag bits.
inline constexpr uint16_t kOptionReadPasswordEmpty = 0x0001;  // bit 0: no read authorization password
inline constexpr uint16_t kOptionWritePasswordEmpty = 0x0002; // bit 1: no overwrite password
inline constexpr uint16_t kOptionBit3 = 0x0008;               // set by New and at start-up

class ModelBlock {
public:
    ModelBlock() { bytes_.fill(0xFF); }
    explicit ModelBlock(std::span<const uint8_t> sixteenBytes);
    // A model block made from a model code alone, as New would have it before its flags.
    static ModelBlock fromModelCode(uint16_t modelCode);

    std::span<const uint8_t, kModelBlockSize> bytes() const { return bytes_; }
    void writeTo(std::span<uint8_t> destination) const;

    std::string identifier() const; // the 8 identifier characters
    void setIdentifier(const std::string& eightCharacters);
    uint8_t destinationVariant() const { return bytes_[10]; }
    uint8_t bandType() const { return bytes_[11]; }
    uint16_t modelCode() const { return static_cast<uint16_t>(bytes_[10] | (bytes_[11] << 8)); }
    void setModelCode(uint16_t code);
    bool reservedBytesEmpty() const { return bytes_[12] == 0xFF && bytes_[13] == 0xFF; }
    uint16_t optionFlags() const { return static_cast<uint16_t>(bytes_[14] | (bytes_[15] << 8)); }
    void setOptionFlags(uint16_t flags);
    void setOptionBits(uint16_t bits, bool set);
    // The data passwords of the optional features: a set bit says the password is empty
    // (bit 0: read authorization password, bit 1: overwrite password).
    bool readPasswordEmpty() const { return (optionFlags() & kOptionReadPasswordEmpty) != 0; }
    void setReadPasswordEmpty(bool empty) { setOptionBits(kOptionReadPasswordEmpty, empty); }
    bool writePasswordEmpty() const { return (optionFlags() & kOptionWritePasswordEmpty) != 0; }
    void setWritePasswordEmpty(bool empty) { setOptionBits(kOptionWritePasswordEmpty, empty); }

    bool operator==(const ModelBlock&) const = default;

private:
    std::array<uint8_t, kModelBlockSize> bytes_{};
};

// The model block stored inside an image area.
ModelBlock readModelBlock(std::span<const uint8_t> mainArea);
void writeModelBlock(std::span<uint8_t> mainArea, const ModelBlock& block);

} // namespace rps
