#pragma once
// The in-place editors of a grid: a text box with a character filter and length limit, a
// drop-down list, or an editable drop-down, laid exactly over the current cell.
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

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable std::optional<QString> initialText_;
};

} // namespace rps
