#pragma once
// The in-place editors of a grid: a text box with a character filter and length limit, a
// drop-down list, or an editable drop-down, laid exactly over the current cell. An editor
// starts with the cell's text as it stands; what it holds is stored on Enter, Tab or leaving
// the cell, and on choosing an entry in the open list, and only when the user changed it (or
// emptied the cell). Browsing a closed list with the keys or the wheel changes only the editor.
#include "forms/common/CGridModel.h"

#include <QStyledItemDelegate>

#include <optional>

namespace rps {

class CGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text the next editor starts with instead of the cell's text (a typed character, or
    // empty for Backspace and Delete).
    void setInitialText(std::optional<QString> text) { initialText_ = std::move(text); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    static QString editorText(const QWidget* editor);
    // Whether the editor holds something to store: a text other than the cell's, another
    // entry of its list, or an empty text (on leaving: one the user emptied).
    static bool holdsChange(const QWidget* editor, bool leaving);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable std::optional<QString> initialText_;
};

} // namespace rps
