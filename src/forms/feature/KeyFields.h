#pragma once
// "Key Assignment": the function of each of the six front-panel keys (the first slot of the
// key's group), offered from the keys' choice list. A key whose function changes loses its
// remote-control entry; choosing the function it already has changes nothing.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"

#include <array>
#include <memory>

namespace rps::feature {

inline constexpr int kKeyItemFunction = 1;
inline constexpr int kKeyAssignmentTitleText = 832;
inline constexpr int kKeyNameText = 1119; // key 1; keys 2..6 follow

// Key k's record is its group of function slots; the form edits the first.
extern const std::array<fields::FieldRow, 1> kKeyFields;

class KeyFieldRules : public fields::FieldRules {
public:
    explicit KeyFieldRules(std::span<uint8_t> mainArea) : main_(mainArea) {}

    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
};

// The key fields over an image (records: keys 1..6).
std::unique_ptr<FieldFormSession> openKeyFields(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::feature
