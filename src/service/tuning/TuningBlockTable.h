#pragma once
// The 387 values of the tuning block, declared as field rows over the block (the block is the
// record set, not the configuration image), so the generic grid, the "Edit: @" spin and the
// tests all edit it through the field engine. Each row is labelled by its tuning item and
// adjustment point.
#include "forms/fields/DeclaredForm.h"
#include "link/TuningTransfer.h"

#include <memory>
#include <span>
#include <string>

namespace rps {

inline constexpr int kTuningBlockRows = 387;
inline constexpr int kNoTuningItem = 72; // a value of the block that no adjustment reaches

struct TuningRowLabel {
    int itemText;
    int pointText; // 0 for a single value
    int key;       // tuning item key
};

// The rows in grid order, and their labels in the same order.
fields::FieldTable tuningBlockFields();
std::span<const TuningRowLabel> tuningBlockLabels();
// "item point" as the grid's row header shows it.
std::string tuningRowLabel(int row, const fields::FieldEnv& env);

// Range code 4: raw byte r (0..123) and the value shown for it.
int rangeCode4Shown(int raw);
int rangeCode4Raw(int shown);

// The block opened for the field engine.
std::unique_ptr<FieldFormSession> openTuningBlock(TuningBlockBytes& block, const fields::FieldEnv& env);

} // namespace rps
