#pragma once
// "Scan Information": the priority mode and channel, the look-back times, the revert channel
// rule, dropout delay and dwell times and off-hook scanning, all single bytes of the main
// area, and the rules that tie them to the priority mode and the channel store.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"
#include "model/records/ChannelStore.h"

#include <array>

namespace rps {

namespace scan {
inline constexpr int kItemPriority = 0;
inline constexpr int kItemPriorityChannel = 1;
inline constexpr int kItemLookBackA = 2;
inline constexpr int kItemLookBackB = 3;
inline constexpr int kItemRevert = 4;
inline constexpr int kItemDropoutDelay = 5;
inline constexpr int kItemDwell = 6;
inline constexpr int kItemOffHookScan = 7;

inline constexpr uint8_t kPriorityOff = 0xFF;
inline constexpr uint8_t kPriorityScan = 0x30; // the mode that names a priority channel
inline constexpr uint8_t kRevertDefault = 0x30;
inline constexpr uint8_t kRevertPriority = 0x34; // offered only with priority scan
inline constexpr uint8_t kRevertPriorityTalkback = 0x35;
inline constexpr uint8_t kNoChannel = 0xFF;
inline constexpr int kMessageNotProgrammed = 799;
} // namespace scan

extern const std::array<fields::FieldRow, 8> kScanFields;

// What is not storage on the scan form: the priority channel is a programmed channel (or
// none) and editable only with priority scan, the look-back times only while a priority
// mode is on, and the revert rules that name the priority channel only with priority scan.
class ScanRules : public fields::FieldRules {
public:
    ScanRules(ChannelStore& store, std::span<uint8_t> main) : store_(store), main_(main) {}

    bool enabled(const fields::FieldRow& row, int record) const override;
    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    ChannelStore& store_;
    std::span<uint8_t> main_;
};

// The scan form's fields over an image (for the form, the command-line tool and printing).
std::unique_ptr<FieldFormSession> openScanForm(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps
