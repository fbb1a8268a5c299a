#pragma once
// Adds the one-byte scrambling key: every byte is XORed with it on the way out and on the
// way in. Key 0 is plain traffic; a fresh port starts unscrambled.
#include "link/LinkTrace.h"
#include "link/SerialPort.h"

namespace rps {

class ScrambledSerialPort : public SerialPort {
public:
    explicit ScrambledSerialPort(ByteDevice& device);

    bool writeByte(uint8_t byte) override;
    bool writeText(std::string_view text) override;
    bool writeBuffer(std::span<const uint8_t> bytes) override;
    bool readBuffer(std::span<uint8_t> destination) override;

    void resetKey() { setKey(0); }
    virtual void setKey(uint8_t key) { key_ = key; }
    uint8_t key() const { return key_; }

    // The serial trace, when one is kept (not owned; null = none).
    void setTrace(LinkTrace* trace) { trace_ = trace; }
    LinkTrace* trace() const { return trace_; }

private:
    uint8_t key_ = 0;
    LinkTrace* trace_ = nullptr;
};

} // namespace rps
