#pragma once
// A grid over declared fields, in one of two shapes: one row per record of the form's record
// set and one column per field row (channels, ports, tuning points), or a fixed matrix of
// field rows of one record (the event tables of a form's page). Every cell's text and enable state is read
// once per refresh (records looked up once, not per cell); a cell's editor and its list are made only when an
// editor opens; every commit goes through the field engine as the user's typed or chosen text.
#include "forms/common/CGridModel.h"
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/RowOrder.h"

#include <functional>
#include <memory>
#include <vector>

namespace rps {

struct FieldColumn {
    const fields::FieldRow* row;
    int headerText; // language text
    int width;      // pixels at the default font
    CellAlign align;
};

class CFieldGridModel : public CGridModel {
    Q_OBJECT
public:
    // Opens the form's fields over the current image (once per refresh and per commit).
    using SessionFactory = std::function<std::unique_ptr<FieldFormSession>()>;

    CFieldGridModel(SessionFactory open, std::vector<FieldColumn> columns, fields::TextLookup texts,
                    char decimalSeparator, QObject* parent = nullptr);
    // The matrix shape: cells[row][column] is the field of that cell (nullptr: no field), all
    // of record 0; the columns give headers, widths and alignment only.
    using CellMatrix = std::vector<std::vector<const fields::FieldRow*>>;
    CFieldGridModel(SessionFactory open, CellMatrix cells, std::vector<FieldColumn> columns,
                    fields::TextLookup texts, char decimalSeparator, QObject* parent = nullptr);

    // The record shape shows only the records of a record grid, with its row commands.
    void setRecordGrid(const fields::GridShape& shape);
    // The record group a form's selector picked (grids with a group stride); read on reload.
    void setGroup(int group);

    // Reads every cell again from the image (the maker of a model calls it once when the
    // model is complete).
    void reload();
    void reloadCells() override { reload(); }

    int gridRows() const override { return rows_; }
    int gridColumns() const override { return static_cast<int>(columns_.size()); }
    QString headerText(int column) const override;
    QString cellText(int row, int column) const override;
    bool cellEnabled(int row, int column) const override;
    CellEditorKind cellEditorKind(int row, int column) const override;
    CellEditor cellEditor(int row, int column) const override;
    void commitCell(int row, int column, const QString& text) override;
    void chooseCell(int row, int column, const QString& text) override;
    Qt::Alignment columnAlignment(int column) const override;
    bool hasRowCommands() const override { return recordGrid_ && recordGrid_->records.rowCommands; }
    void rowCommand(GridRowCommand command, int firstRow, int lastRow) override;
    int columnWidth(int column) const override;
    // A sortable record grid: a column's header sorts the rows by its value, the fixed column's
    // header restores the records' order. The order holds until another header is clicked.
    bool sortsByHeader() const override { return recordGrid_ && recordGrid_->records.sortable; }
    void headerClicked(int column) override;
    QString fixedHeaderText() const override;
    // After an edit that names another record (the one holding a typed value), the cursor goes there.
    QModelIndex cellAfterCommit(int row, int column) const override;
    // The record set's record a row shows, and the row showing a record (-1: not in this grid).
    int recordOfRow(int row) const { return recordAt(row); }
    int rowOfRecord(int record) const;

    const FieldColumn& column(int column) const { return columns_[static_cast<std::size_t>(column)]; }

    // Row labels of the fixed column (by record) and its width; the default numbers the rows.
    void setRowLabels(std::function<QString(int record)> labels, int width);
    QString fixedText(int row) const override;
    int fixedColumnWidth() const override;
    // A disabled cell shows no text.
    void setHideDisabledText(bool hide) { hideDisabledText_ = hide; }
    bool showTextWhenDisabled() const override { return !hideDisabledText_; }
    // Language text a list shows while the cell's value is not one it offers.
    void setUnlistedText(int text) { unlistedText_ = text; }
    QString unlistedText(int row, int column) const override;

signals:
    // A commit went through the engine (a warning or refusal to show, what changed).
    void edited(const fields::EditResult& result);

protected:
    // The text of a cell; a form may show some cells differently from their field.
    virtual std::string displayText(fields::FieldEngine& engine, int row, int column) const;
    QString languageText(int number) const;

private:
    // The field and record behind a cell; no field for an empty cell of a matrix.
    const fields::FieldRow* fieldAt(int row, int column) const;
    int recordAt(int row) const { return matrix_.empty() ? firstRecord_ + order_.record(row) : 0; }

    struct Cell {
        QString text;
        bool enabled = false;
    };

    SessionFactory open_;
    std::vector<FieldColumn> columns_;
    CellMatrix matrix_;
    fields::TextLookup texts_;
    char separator_;
    int rows_ = 0;
    const fields::GridShape* recordGrid_ = nullptr;
    int firstRecord_ = 0;
    int group_ = 0;
    std::vector<Cell> cells_; // row-major
    std::function<QString(int)> rowLabels_;
    int fixedWidth_ = 0;
    bool hideDisabledText_ = false;
    int unlistedText_ = 0;
    fields::RowOrder order_;
    mutable int moveToRecord_ = -1;
};

} // namespace rps
