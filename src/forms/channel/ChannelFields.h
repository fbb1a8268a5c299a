#pragma once
// The fields of a channel record as the channel forms show them: the channel edit form's
// table (which the channel grid's columns reuse), the beat-shift options, the codecs of the
// coded channel fields and the rules that keep a record consistent after an edit.
#include "forms/channel/ChannelItems.h"
#include "forms/channel/ChannelRules.h"
#include "forms/fields/FieldEngine.h"

#include <array>

namespace rps {

inline constexpr int kTextOff = 849;
inline constexpr int kWarningRxOutOfBand = 786;
inline constexpr int kWarningTxOutOfBand = 787;
inline constexpr int kWarningReservedName = 809;

namespace channelcodecs {
extern const fields::FieldCodec kFrequency;
extern const fields::FieldCodec kQtDqt;
extern const fields::FieldCodec kRan;
extern const fields::FieldCodec kName;
extern const fields::FieldCodec kMultiTable;
} // namespace channelcodecs

// Every item of the channel edit form, in the form's order.
extern const std::array<fields::FieldRow, kChannelItemCount> kChannelFields;
// The five beat-shift options of byte 19 (items 1..5).
extern const std::array<fields::FieldRow, 5> kBeatShiftFields;

const fields::FieldRow& channelField(int item);

// What is not storage on the channel forms: enable rules, the lists that depend on the
// channel, creating and deleting channels through the receive frequency, the copy of a
// typed decode code to the encode code, and the consistency rules after every store.
class ChannelFieldRules : public fields::FieldRules {
public:
    ChannelFieldRules(ChannelStore& store, const fields::FieldEnv& env) : store_(store), env_(env) {}

    bool enabled(const fields::FieldRow& row, int record) const override;
    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    ChannelStore& store_;
    const fields::FieldEnv& env_;
    ChannelSnapshot before_;
};

// Beat-shift options: editable only while the channel's Beat Shift is on.
class BeatShiftRules : public fields::FieldRules {
public:
    explicit BeatShiftRules(ChannelStore& store) : store_(store) {}
    bool enabled(const fields::FieldRow& row, int record) const override;

private:
    ChannelStore& store_;
};

} // namespace rps
