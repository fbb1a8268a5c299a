#pragma once
// "Advanced Settings": the QT reverse burst phase and the repeat hang time (page 1), and
// the five tuning frequency pairs the alignment uses (page 2, a grid of points). The
// command-line tool sees one form "advanced" whose tuning cells are named
// tuning.<point>.first / .second; the grid shows the same bytes as records of a point each.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"

#include <array>

namespace rps {

namespace special {
inline constexpr int kItemPhase = 1;
inline constexpr int kItemHangTime = 2;
inline constexpr int kPageTexts[] = {1357, 1358};
inline constexpr int kPageOneRows = 2;
} // namespace special

// Page 1 first, then every tuning cell as a field of its own.
extern const std::array<fields::FieldRow, special::kPageOneRows + 10> kAdvancedFields;
// The two columns of the tuning grid, over records of one point each.
extern const std::array<fields::FieldRow, 2> kTuningColumns;

// The tuning point the repeater's alignment starts from for a cell: used when a typed value
// is empty, zero or unreadable. Points 0..4, column 0 (first) or 1 (second); in Hz.
uint32_t defaultTuningPoint(uint16_t modelCode, int point, int column);

// What is not storage: a hang time below one second is off; an empty tuning cell takes its
// default point; a first frequency also fills an empty second one.
class SpecialRules : public fields::FieldRules {
public:
    SpecialRules(std::span<uint8_t> main, const fields::FieldEnv& env) : main_(main), env_(env) {}

    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
    const fields::FieldEnv& env_;
};

std::unique_ptr<FieldFormSession> openAdvancedForm(ConfigImage& image, const fields::FieldEnv& env);
// The tuning grid: one record per point.
std::unique_ptr<FieldFormSession> openTuningGrid(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps
