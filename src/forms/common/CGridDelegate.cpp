#include "forms/common/CGridDelegate.h"

#include "forms/common/CCharFilterValidator.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

namespace rps {

namespace {

const char* const kOriginalText = "rpsOriginalText";
const char* const kOriginalIndex = "rpsOriginalIndex";
const char* const kStartedTyped = "rpsStartedTyped";
const char* const kPicked = "rpsPicked"; // the text of an editable list is an entry picked from it
const char* const kUnlistedText = "rpsUnlistedText";

// A closed list is browsed with the arrow keys, letters and the wheel as a preview: Qt reports
// those as chosen entries too, but only an entry chosen in the open list is a choice.
class GridDropDown : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool browsing() const { return browsing_; }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        browsing_ = true;
        QComboBox::keyPressEvent(event);
        browsing_ = false;
    }
    void wheelEvent(QWheelEvent* event) override
    {
        browsing_ = true;
        QComboBox::wheelEvent(event);
        browsing_ = false;
    }

private:
    bool browsing_ = false;
};

const QLineEdit* lineOf(const QWidget* editor)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->lineEdit();
    return qobject_cast<const QLineEdit*>(editor);
}

} // namespace

QWidget* CGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                     const QModelIndex& index) const
{
    const auto* model = qobject_cast<const CGridModel*>(index.model());
    if (!model)
        return nullptr;
    const CellEditor editorInfo = model->cellEditor(index.row(), index.column());
    switch (editorInfo.kind) {
    case CellEditorKind::None:
        return nullptr;
    case CellEditorKind::Text: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setValidator(new CCharFilterValidator(editorInfo.filter, edit));
        if (editorInfo.filter.maxLength > 0)
            edit->setMaxLength(editorInfo.filter.maxLength);
        edit->setAlignment(model->columnAlignment(index.column()));
        return edit;
    }
    case CellEditorKind::DropDown:
    case CellEditorKind::EditableDropDown: {
        auto* combo = new GridDropDown(parent);
        combo->addItems(editorInfo.choices);
        combo->setProperty(kUnlistedText, model->unlistedText(index.row(), index.column()));
        combo->setMaxVisibleItems(12);
        if (editorInfo.kind == CellEditorKind::EditableDropDown) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            auto* validator = new CCharFilterValidator(editorInfo.filter, combo);
            validator->setListEntries(editorInfo.choices);
            combo->lineEdit()->setValidator(validator);
            // The filter limits what is typed; a chosen entry (such as the "off" text) may be
            // longer and must not be cut.
            if (editorInfo.filter.maxLength > 0) {
                qsizetype longest = editorInfo.filter.maxLength;
                for (const QString& choice : editorInfo.choices)
                    longest = std::max(longest, choice.size());
                combo->lineEdit()->setMaxLength(static_cast<int>(longest));
            }
            combo->setCompleter(nullptr);
            // An entry picked in the open list is a choice until the user types into the text
            // again; Enter after typing also reports an entry, but through the keys.
            connect(combo, &QComboBox::activated, combo, [combo](int) {
                if (!combo->browsing())
                    combo->setProperty(kPicked, true);
            });
            connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                    [combo] { combo->setProperty(kPicked, false); });
        } else {
            // Choosing an entry in the open list is the commit of a drop-down list.
            connect(combo, &QComboBox::activated, this, [this, combo](int) {
                if (combo->browsing())
                    return;
                auto* self = const_cast<CGridDelegate*>(this);
                emit self->commitData(combo);
                emit self->closeEditor(combo, QAbstractItemDelegate::SubmitModelCache);
            });
        }
        return combo;
    }
    }
    return nullptr;
}

QString CGridDelegate::editorText(const QWidget* editor)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    return {};
}

bool CGridDelegate::holdsChange(const QWidget* editor, bool leaving)
{
    const auto* combo = qobject_cast<const QComboBox*>(editor);
    if (combo && !combo->isEditable())
        return combo->currentIndex() != editor->property(kOriginalIndex).toInt();
    const QString text = editorText(editor).trimmed();
    if (text != editor->property(kOriginalText).toString())
        return true;
    if (!text.isEmpty())
        return false;
    // An empty text clears the cell; on leaving only when the user emptied it.
    const QLineEdit* line = lineOf(editor);
    return !leaving || editor->property(kStartedTyped).toBool() || (line && line->isModified());
}

void CGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // The cell's text as it stands, leading blanks too (a channel name " 1"); compared trimmed.
    QString cellText = index.data(Qt::EditRole).toString();
    while (!cellText.isEmpty() && cellText.back().isSpace())
        cellText.chop(1);
    editor->setProperty(kOriginalText, cellText.trimmed());
    const std::optional<QString> initial = std::exchange(initialText_, std::nullopt);
    editor->setProperty(kStartedTyped, initial.has_value());
    // A list's own text, or an entry browsed to with the keys, is not a typed code.
    editor->setProperty(kPicked, !initial.has_value());
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        showUnfiltered(edit, initial.value_or(cellText));
        if (!initial)
            edit->selectAll();
        return;
    }
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo)
        return;
    const QString wanted = initial.value_or(cellText);
    int found = combo->findText(cellText);
    editor->setProperty(kOriginalIndex, found);
    if (initial && !initial->isEmpty() && !combo->isEditable()) {
        // A typed character picks the first entry that begins with it.
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).startsWith(*initial, Qt::CaseInsensitive)) {
                found = i;
                break;
            }
        }
    }
    combo->setCurrentIndex(found);
    if (found < 0 && !combo->isEditable())
        combo->setPlaceholderText(combo->property(kUnlistedText).toString());
    if (combo->isEditable()) {
        showUnfiltered(combo->lineEdit(), wanted);
        if (initial)
            combo->lineEdit()->end(false);
        else
            combo->lineEdit()->selectAll();
    }
}

void CGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!holdsChange(editor, false))
        return;
    const auto* combo = qobject_cast<const QComboBox*>(editor);
    const bool picked = combo && combo->isEditable() && combo->property(kPicked).toBool() &&
                        combo->currentIndex() >= 0 &&
                        combo->currentText() == combo->itemText(combo->currentIndex());
    model->setData(index, editorText(editor).trimmed(), picked ? CGridModel::kChosenRole : Qt::EditRole);
}

void CGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                         const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(-2, -2, 2, 2));
}

bool CGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::FocusOut) {
        auto* combo = qobject_cast<QComboBox*>(editor);
        const bool popupOpen = combo && combo->view() && combo->view()->isVisible();
        const QWidget* focus = QApplication::focusWidget();
        const bool focusInside = focus && (focus == editor || editor->isAncestorOf(focus));
        if (!popupOpen && !focusInside && !holdsChange(editor, true)) {
            // Leaving the editor commits only a changed or emptied text.
            emit closeEditor(editor, NoHint);
            return false;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace rps
