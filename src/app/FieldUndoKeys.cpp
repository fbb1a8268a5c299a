#include "app/FieldUndoKeys.h"

#include "forms/common/CFieldForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace rps {

FieldUndoKeys::FieldUndoKeys(QList<QKeySequence> undoKeys, QList<QKeySequence> redoKeys, QObject* parent)
    : QObject(parent), undoKeys_(std::move(undoKeys)), redoKeys_(std::move(redoKeys))
{
}

bool FieldUndoKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
    const bool undo = undoKeys_.contains(keys);
    if (!undo && !redoKeys_.contains(keys))
        return false;
    QLineEdit* line = CFieldForm::lineOf(QApplication::focusWidget());
    if (line == nullptr || line->isReadOnly())
        return false;
    // isModified: typed since the form last wrote or stored the field.
    const bool typing = line->isModified() || (!undo && line->isRedoAvailable());
    if (typing)
        event->accept(); // the key goes to the field
    else
        event->ignore(); // the field does not take it over: the shortcut runs
    return true;
}

} // namespace rps
