#pragma once
// The fields of the optional features form: the repeater TOT, timers, tones, levels and
// options of page 1, the local microphone TOT, lockouts and tones of page 2, the start-up,
// TX/RX, timer and connection grids of function codes of the last two pages, and the two data
// passwords the data password dialog edits. The rules keep what is not storage: which items
// are enabled, the functions each row offers, and the clean-up an edit causes elsewhere.
#include "forms/fields/FieldEngine.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace rps::feature {

inline constexpr int kFeatureTitleText = 833;
inline constexpr int kFeatureOffText = 854;
inline constexpr int kPasswordMismatchText = 820;
// "A data password is up to six letters and digits."
inline constexpr int kPasswordCharactersText = 1024;

// Item numbers: page 1 as the form numbers them, the other pages above it.
inline constexpr int kPage2 = 100;
inline constexpr int kStartUpPage = 200;
inline constexpr int kEventPage = 300;

// The grids of the last two pages; their cells are the items that follow each.
inline constexpr int kStartUpGridItem = kStartUpPage;
inline constexpr int kTxRxGridItem = kEventPage;
inline constexpr int kTimerGridItem = kEventPage + 20;
inline constexpr int kConnectionGridItem = kEventPage + 40;

inline constexpr int kItemTot = 1;
inline constexpr int kItemRepeatHoldTimer = 5;
inline constexpr int kItemSquelch = 9;
inline constexpr int kItemTestTone = 8;
inline constexpr int kItemRxSignalDetect = 13;
inline constexpr int kItemPttPriority = 21;
inline constexpr int kItemDataPassword = 28;
inline constexpr int kItemLocalMicTot = kPage2 + 1;
inline constexpr int kItemCourtesyTone = kPage2 + 13;
inline constexpr int kItemVotingPilotTone = kPage2 + 19;
// The data passwords: fields without a control of their own (the dialog shows them).
inline constexpr int kItemReadPassword = 901;
inline constexpr int kItemOverwritePassword = 902;

// The page captions in page order.
inline constexpr int kFeaturePageTexts[] = {1032, 1033, 973, 974};

fields::FieldTable featureFields();
const fields::FieldRow& featureField(int item);

// A function code of an event row shown by its name, blank for no function; the list a row
// offers comes from the rules.
extern const fields::FieldCodec kEventFunctionCodec;

class FeatureRules : public fields::FieldRules {
public:
    explicit FeatureRules(std::span<uint8_t> mainArea) : main_(mainArea) {}

    bool enabled(const fields::FieldRow& row, int record) const override;
    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
};

// The data password dialog's "OK": language text 820 when the overwrite password and its
// confirmation differ, 0 when the passwords may be stored.
int dataPasswordProblem(std::string_view overwrite, std::string_view confirmation);

} // namespace rps::feature
