#pragma once
// Whole-record commands of a record grid: copy, paste and delete. Each grid has its own copy
// buffer, so copying in one table leaves another table's copy alone; every buffer is cleared
// when the image is replaced, so an old copy never lands in another configuration. A paste
// writes from the chosen row on and drops what would fall after the grid's last record: it
// never writes into the records of another grid of the same set.
#include "forms/fields/FieldEngine.h"
#include "forms/fields/RowOrder.h"

#include <cstdint>
#include <vector>

namespace rps::fields {

enum class RecordCommand { Copy, Paste, Delete };

class RecordClipboard {
public:
    // Copies records first..last (inclusive); replaces the previous copy.
    void copy(const RecordSet& records, int first, int last);
    // Copies the given records in the given order.
    void copy(const RecordSet& records, const std::vector<int>& indices);
    // Writes the copy from record `start` on, no further than record `end` - 1; returns the
    // records written.
    int paste(RecordSet& records, int start, int end) const;
    // Writes the copy into the given records in order, as far as they go; returns the records written.
    int paste(RecordSet& records, const std::vector<int>& targets) const;
    bool isEmpty() const { return copied_.empty(); }
    std::size_t size() const { return copied_.size(); }
    void clear() { copied_.clear(); }

private:
    std::vector<std::vector<uint8_t>> copied_;
};

// The copy buffer of one grid (by its shape, one per declared grid) for the program run.
RecordClipboard& recordClipboard(const GridShape& grid);
// Empties every grid's copy buffer (the image was replaced).
void clearRecordClipboards();

// Runs a command on the grid's rows firstRow..lastRow (0-based rows of the grid, of the record
// group the form's selector picked, shown in `order` when given); pasting and deleting end with
// the form's clean-up of the records they rewrote.
EditResult runRecordCommand(FieldEngine& engine, const GridShape& grid, RecordCommand command, int firstRow,
                            int lastRow, int group = 0, const RowOrder* order = nullptr);

} // namespace rps::fields
