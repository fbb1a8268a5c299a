#pragma once
// The table model behind every grid form. A form supplies, per cell, its text, whether it
// may be edited, its editor and what a commit stores; the model turns that into Qt's item
// model. Rows and columns here are the model's 0-based ones: model column 0 is the grid's
// data column 1, the fixed first column is the vertical header.
#include "forms/fields/CharFilter.h"
#include "forms/fields/GridColumn.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace rps {

struct CellEditor {
    CellEditorKind kind = CellEditorKind::None;
    CharFilterRule filter; // text and editable drop-down
    QStringList choices;   // drop-downs
};

enum class GridRowCommand { Copy, Paste, Delete };

class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual int gridRows() const = 0;
    virtual int gridColumns() const = 0;
    virtual QString fixedHeaderText() const { return {}; }
    virtual QString fixedText(int row) const { return QString::number(row + 1); }
    virtual QString headerText(int column) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    virtual bool cellEnabled(int /*row*/, int /*column*/) const { return true; }
    // The kind of a cell's editor, without building the editor and its list.
    virtual CellEditorKind cellEditorKind(int row, int column) const { return cellEditor(row, column).kind; }
    virtual CellEditor cellEditor(int row, int column) const = 0;
    // What a drop-down shows while the cell's value is none of its entries.
    virtual QString unlistedText(int /*row*/, int /*column*/) const { return {}; }
    // Stores a committed editor text into the image.
    virtual void commitCell(int row, int column, const QString& text) = 0;
    // Stores an entry picked from a cell's list (not typed); by default as if it were typed.
    virtual void chooseCell(int row, int column, const QString& text) { commitCell(row, column, text); }
    // The role under which the cell editor hands over an entry picked from its list.
    static constexpr int kChosenRole = Qt::UserRole + 1;
    virtual Qt::Alignment columnAlignment(int /*column*/) const { return Qt::AlignLeft | Qt::AlignVCenter; }
    virtual int columnWidth(int /*column*/) const { return 80; }
    virtual int fixedColumnWidth() const { return 30; }
    static Qt::Alignment toQtAlignment(CellAlign align);
    // The cell whose editor opens when the user asks to edit (row, column); -1 = none. A
    // form may redirect to another cell of the row.
    virtual int editColumnFor(int row, int column) const;
    // Where the current cell goes after a commit: right past the disabled cells that
    // follow, at most to the last column.
    virtual QModelIndex cellAfterCommit(int row, int column) const;
    // Disabled cells of some tables show no text.
    virtual bool showTextWhenDisabled() const { return true; }
    // Whether the shortcut menu (right button, Apps key) opens on this grid.
    virtual bool offersShortcutMenu() const { return true; }
    // Whole-row commands the form offers (Copy, Paste, Delete).
    virtual bool hasRowCommands() const { return false; }
    virtual void rowCommand(GridRowCommand /*command*/, int /*firstRow*/, int /*lastRow*/) {}
    // Whether a click on a column header sorts the rows (-1: the fixed column's header).
    virtual bool sortsByHeader() const { return false; }
    virtual void headerClicked(int /*column*/) {}

    // Every cell and header is read again (after a commit or a refresh of the image).
    void refreshAll();
    // A model that keeps its cells reads them again from the image here.
    virtual void reloadCells() {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
};

} // namespace rps
