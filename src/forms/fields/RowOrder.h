#pragma once
// The order a record grid shows its records in: row r shows the grid's record record(r). It
// starts as the identity and may be sorted by the stored value of one column; it changes
// only when asked (an edit does not re-sort), and keys, edits and deletes always address the
// record a row shows, never the row.
#include <vector>

namespace rps::fields {

class FieldEngine;
struct FieldRow;

class RowOrder {
public:
    // The identity over `count` rows.
    void reset(int count);
    int size() const { return static_cast<int>(records_.size()); }
    bool isIdentity() const { return identity_; }
    // The grid's record (0-based within the grid) shown in a row; the row itself outside.
    int record(int row) const;
    // The row showing a record of the grid; the record itself outside.
    int row(int record) const;
    // Rows by the stored value of `field` ascending, equal values by record; a record without
    // the value comes last. `firstRecord` is the grid's first record in the record set.
    void sortBy(const FieldEngine& engine, const FieldRow& field, int firstRecord);

private:
    void indexRows();

    std::vector<int> records_;
    std::vector<int> rows_;
    bool identity_ = true;
};

} // namespace rps::fields
