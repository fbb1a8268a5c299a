#pragma once
// The grid every table form uses: in-place editing with the repeater tools' keyboard
// rules (wrapping arrows, row mode on Shift+Up/Down, typing opens the editor with the typed
// character, Enter/Backspace/Delete), whole-row commands and the "to Clip" texts.
#include "forms/common/CGridDelegate.h"
#include "forms/common/CGridModel.h"

#include <QTableView>

#include <functional>
#include <optional>
#include <utility>

class QMenu;

namespace rps {

class LanguageTable;

// Language texts of the grid's shortcut menu.
struct GridMenuTexts {
    QString copy, paste, remove, toClip, toClipWithTitle;
};

// Language texts of the shortcut menu entries "Copy", "Paste", "Delete", "to Clip" and
// "to Clip(w/Title)".
inline constexpr int kTextGridCopy = 32;
inline constexpr int kTextGridPaste = 33;
inline constexpr int kTextGridDelete = 34;
inline constexpr int kTextGridToClip = 35;
inline constexpr int kTextGridToClipWithTitle = 36;
GridMenuTexts gridMenuTexts(const LanguageTable& texts);
GridMenuTexts gridMenuTexts(const std::function<QString(int)>& text);

class CGridView : public QTableView {
    Q_OBJECT
public:
    explicit CGridView(QWidget* parent = nullptr);

    void setGridModel(CGridModel* model);
    CGridModel* gridModel() const { return model_; }
    void setMenuTexts(GridMenuTexts texts) { menuTexts_ = std::move(texts); }

    bool rowMode() const { return rowMode_; }
    void setRowMode(bool on);
    // Selected row range in row mode, else the current row.
    std::pair<int, int> selectedRowRange() const;
    void setCurrentCell(int row, int column);

    // Opens the editor the form chooses for (row, column); initial text replaces the cell's.
    bool openEditor(int row, int column, std::optional<QString> initialText = std::nullopt);
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    QString clipText(bool withTitle) const;
    void copyToClipboard(bool withTitle);
    void runRowCommand(GridRowCommand command);
    QMenu* buildShortcutMenu();

    // Applies the column widths of the model.
    void applyColumnWidths();
    // Width that shows every column without horizontal scrolling.
    int contentWidth() const;
    // A fixed size that shows every column and the grid's rows, at most `visibleRows` of them
    // (the rest scroll); mostRows is the most rows the grid can have (its present rows when
    // not given). The height follows the rows as they come and go.
    void fitRows(int visibleRows, int mostRows = -1);
    // As wide as every column; the grid may be made narrower and then scrolls sideways.
    QSize sizeHint() const override;

signals:
    void currentCellChanged(int row, int column);
    void helpRequested(int column);
    void editorCommitted(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void moveBy(int rowDelta, int columnDelta, bool wrap);
    bool typeCharacter(const QString& text);
    void extendRowSelection(int rowDelta);
    // Page Down (+1) / Page Up (-1): the rows scroll by the fully visible rows and the current
    // row moves with them.
    void movePage(int direction);
    int fullyVisibleRows() const;
    void applyFit();

    CGridModel* model_ = nullptr;
    CGridDelegate* delegate_ = nullptr;
    GridMenuTexts menuTexts_;
    bool rowMode_ = false;
    int anchorRow_ = 0;
    int fitVisible_ = 0; // rows fitted to, 0 = the size is the form's
    int fitMost_ = -1;
};

} // namespace rps
