#pragma once
// "CW Message": the eight repeater-wide Morse messages a key function sends, with their common
// speed, tone and modulation delay and two switches, all in the main area. A message emptied
// takes its key function out of every place that holds function codes.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"

#include <array>

namespace rps {

namespace cwmessage {
inline constexpr int kItemSpeed = 0;
inline constexpr int kItemModDelay = 1;
inline constexpr int kItemAudioFrequency = 2;
inline constexpr int kItemToRa = 3;
inline constexpr int kItemEncodeQt = 4;
inline constexpr int kItemMessages = 5; // the frame around the messages
inline constexpr int kItemFirstMessage = 7;
inline constexpr int kMessageCount = 8;

inline constexpr int kTitleText = 838;
inline constexpr int kMessageNotMorse = 804;
} // namespace cwmessage

extern const std::array<fields::FieldRow, 14> kCwMessageFields;

class CwMessageRules : public fields::FieldRules {
public:
    explicit CwMessageRules(std::span<uint8_t> main) : main_(main) {}

    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
    bool wasInUse_ = false;
};

// Whether CW message 1..8 is in use (its first byte is not empty).
bool cwMessageInUse(std::span<const uint8_t> main, int message);

std::unique_ptr<FieldFormSession> openCwMessageForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps
