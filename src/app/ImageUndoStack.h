#pragma once
// The main frame's undo history of the working image: a QUndoStack whose commands put back the
// byte ranges of one stored change. It looks at the image whenever the event loop runs out of
// work, so every change a form, a grid command, a button, a memory-map edit or a dialog stored
// becomes one step, whoever made it. Undo and redo only put bytes back: what a write sends and
// whether the image counts as modified (the comparison with the baseline) stay as they were.
#include "document/ImageSteps.h"
#include "model/ConfigImage.h"

#include <QObject>
#include <QUndoStack>

namespace rps {

class ImageUndoStack : public QObject {
    Q_OBJECT
public:
    explicit ImageUndoStack(ConfigImage& image, QObject* parent = nullptr);
    ~ImageUndoStack() override;

    // Makes a step of what changed since the last look; nothing when nothing did.
    void recordChange();
    // The image was replaced: no step leads back to the old one.
    void clear();
    void undo();
    void redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    int steps() const { return stack_.count(); }

signals:
    // A step was undone or redone: every form re-reads the image.
    void imageRestored();
    // What Undo or Redo can do changed.
    void availabilityChanged();

private:
    void restored();

    ConfigImage& image_;
    ChangeRecorder recorder_;
    QUndoStack stack_;
};

} // namespace rps
