#pragma once
// "Test Frequency": sixteen pairs of receive and transmit frequencies at main-area 0x0100, one
// grid row per pair. A record is in use while its receive frequency is set, and never has a
// transmit frequency without one: an emptied frequency empties both, a receive frequency
// typed into a record without transmit frequency is its transmit frequency too.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldRules.h"

#include <array>

namespace rps::signalling {

inline constexpr int kTestFreqTitleText = 839;
inline constexpr int kTestFreqCount = 16;
inline constexpr int kTestFreqRecordSize = 8;

namespace testfreq {
inline constexpr int kItemGrid = 0;
inline constexpr int kItemRx = 1;
inline constexpr int kItemTx = 2;
inline constexpr int kChPasteText = 42;
} // namespace testfreq

extern const std::array<fields::FieldRow, 3> kTestFreqFields;
const fields::GridShape& testFreqGridShape();

class TestFreqRules : public fields::FieldRules {
public:
    explicit TestFreqRules(std::span<uint8_t> main) : main_(main) {}

    // The transmit frequency waits for a receive frequency.
    bool enabled(const fields::FieldRow& row, int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
};

// Whether any of channels 1..16 is programmed (what "Ch Paste" takes from).
bool anyTestFreqChannel(ConfigImage& image);
// Sets record n to the frequencies of channel n (n = 1..16), none where the channel is not
// programmed; a channel without transmit frequency gives its receive frequency twice.
// Returns whether any byte changed.
bool pasteChannelFrequencies(ConfigImage& image);

std::unique_ptr<FieldFormSession> openTestFreqForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
