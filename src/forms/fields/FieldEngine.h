#pragma once
// The one place that reads and writes a declared field's bytes: the text a field shows, its
// list, whether it may be edited, and every way a user changes it (typed text, a chosen
// entry, a check box, the spin buttons, a moved entry). Typed numbers are never rejected:
// they are clamped into the range and rounded down to the step. Every change goes through
// the form's rules before and after it is stored.
#include "forms/fields/FieldRecords.h"
#include "forms/fields/FieldRules.h"
#include "forms/fields/FieldTable.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps::fields {

inline constexpr int kCheckOnText = 857;
inline constexpr int kCheckOffText = 858;

// The image areas a field of Area::Main/Aux/Local points into.
struct ImageSpans {
    std::span<uint8_t> main;
    std::span<uint8_t> aux;
    std::span<uint8_t> local;
};

// The image bytes a field of one record occupies: its area (Main, Aux or Local, never Record),
// the offset in that area and how many bytes (a bit field names its whole byte or word).
struct FieldBytes {
    Area area = Area::Main;
    std::size_t offset = 0;
    std::size_t length = 0;
};

class FieldEngine {
public:
    FieldEngine(FieldTable table, RecordSet& records, ImageSpans areas, FieldEnv env,
                FieldRules* rules = nullptr);

    FieldTable table() const { return table_; }
    RecordSet& records() const { return records_; }
    const FieldEnv& env() const { return env_; }

    // The stored value of a numeric, coded, list or check field; nothing when the field has
    // no bytes for this record (an empty channel).
    std::optional<uint32_t> raw(const FieldRow& row, int record) const;
    std::string shown(const FieldRow& row, int record) const;
    bool checked(const FieldRow& row, int record) const;
    bool enabled(const FieldRow& row, int record) const;
    bool hasField(const FieldRow& row, int record) const;
    // Where the field's bytes lie in the image for this record; nothing when the record has
    // none (an empty channel) or the field has no bytes.
    std::optional<FieldBytes> bytesInImage(const FieldRow& row, int record) const;
    // The entries a list offers for this record, and their labels in the same order.
    std::vector<Choice> choices(const FieldRow& row, int record) const;
    std::vector<std::string> choiceLabels(const FieldRow& row, int record) const;
    std::string label(const FieldRow& row, const Choice& choice) const;
    // The entries of an order list in their stored order.
    std::vector<std::string> orderLabels(const FieldRow& row, int record) const;

    // Text typed into the field and left (or, for a plain list, the label of an entry).
    EditResult commitText(const FieldRow& row, int record, std::string_view text);
    // An entry picked from the list by its label; letter case is ignored when no label
    // matches exactly. A label the list does not offer is refused.
    EditResult choose(const FieldRow& row, int record, std::string_view label);
    EditResult setChecked(const FieldRow& row, int record, bool on);
    // The spin buttons: +1 / -1 by the step, wrapping round (through the off value where
    // the field has one that spins).
    EditResult spin(const FieldRow& row, int record, int direction);
    // An order list: the entry at `from` moves to `to`.
    EditResult moveEntry(const FieldRow& row, int record, int from, int to);

    // Whole records first..last were rewritten (pasted or deleted): the rules clean up.
    EditResult recordsRewritten(int first, int last);

    // The stable key of a field: form[.record].field
    std::string key(std::string_view formKey, const FieldRow& row, int record) const;

private:
    std::span<uint8_t> bytesOf(const FieldRow& row, int record) const;
    EditResult store(const FieldRow& row, int record, uint32_t raw, EditOrigin origin, std::string_view text,
                     int warning = 0);
    void write(const FieldRow& row, int record, uint32_t raw, std::string_view text);
    std::optional<uint32_t> parseNumber(const FieldRow& row, std::string_view text) const;
    std::string formatNumber(const FieldRow& row, uint32_t raw) const;

    FieldTable table_;
    RecordSet& records_;
    ImageSpans areas_;
    FieldEnv env_;
    FieldRules* rules_;
};

} // namespace rps::fields
