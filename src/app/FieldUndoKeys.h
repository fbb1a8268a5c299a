#pragma once
// The undo and redo keys while an edit field has the focus. A field with text typed but not
// yet stored keeps them for its own text (a line edit's own undo); with nothing typed they
// reach the main window's Undo and Redo.
#include <QKeySequence>
#include <QList>
#include <QObject>

namespace rps {

class FieldUndoKeys : public QObject {
    Q_OBJECT
public:
    FieldUndoKeys(QList<QKeySequence> undoKeys, QList<QKeySequence> redoKeys, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> undoKeys_;
    QList<QKeySequence> redoKeys_;
};

} // namespace rps
