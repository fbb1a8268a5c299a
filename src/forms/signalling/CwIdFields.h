#pragma once
// "CW ID": the Morse identification of one channel, kept in the channel's record: the text,
// how often and after what delay it is sent, its speed, tone and modulation delay, and five
// switches. The form shows the channel selected in the channel forms.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"
#include "model/records/ChannelStore.h"

#include <array>

namespace rps {

namespace cwid {
inline constexpr int kItemChannel = 0;
inline constexpr int kItemText = 1;
inline constexpr int kItemTxInterval = 2;
inline constexpr int kItemTxDelay = 3;
inline constexpr int kItemTxSpeed = 4;
inline constexpr int kItemModDelay = 5;
inline constexpr int kItemAudioFrequency = 6;
inline constexpr int kItemTxRequired = 7;
inline constexpr int kItemOver = 8;
inline constexpr int kItemToRa = 9;
inline constexpr int kItemOnChannelChange = 10;
inline constexpr int kItemEncodeQt = 11;

inline constexpr int kTitleText = 882;
inline constexpr int kMessageHighAudio = 817;
inline constexpr int kMessageNotMorse = 804; // a character or a space Morse cannot send
inline constexpr uint8_t kHighAudio = 90;    // 900 Hz in 10 Hz units
} // namespace cwid

extern const std::array<fields::FieldRow, 12> kCwIdFields;

// The CW ID fields are editable only on a channel with a record and CW ID on; "CW ID over" and
// "encode with QT/DQT" not on an NXDN channel. An audio frequency of 900 Hz or more is stored
// with a warning.
class CwIdRules : public fields::FieldRules {
public:
    CwIdRules(ChannelStore& store, const fields::FieldEnv& env) : store_(store), env_(env) {}

    bool enabled(const fields::FieldRow& row, int record) const override;
    std::string computedText(const fields::FieldRow& row, int record) const override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    ChannelStore& store_;
    const fields::FieldEnv& env_;
};

// Whether any field but the channel line may be edited on this channel (0-based).
bool cwIdEditable(ChannelStore& store, int channel);

std::unique_ptr<FieldFormSession> openCwIdForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps
