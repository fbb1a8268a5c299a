#include "app/ImageUndoStack.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QUndoCommand>

namespace rps {

namespace {

constexpr int kStepLimit = 100;

class ImageStepCommand : public QUndoCommand {
public:
    ImageStepCommand(ConfigImage& image, ImageStep step) : image_(image), step_(std::move(step)) {}

    void undo() override { step_.undo(image_.working()); }
    // Also runs when the step is pushed, over bytes that already hold what it puts.
    void redo() override { step_.redo(image_.working()); }

private:
    ConfigImage& image_;
    ImageStep step_;
};

} // namespace

ImageUndoStack::ImageUndoStack(ConfigImage& image, QObject* parent) : QObject(parent), image_(image)
{
    stack_.setUndoLimit(kStepLimit);
    recorder_.follow(image_.working());
    // Every stored change is complete once the event loop has nothing left to do.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &ImageUndoStack::recordChange);
    connect(&stack_, &QUndoStack::canUndoChanged, this, &ImageUndoStack::availabilityChanged);
    connect(&stack_, &QUndoStack::canRedoChanged, this, &ImageUndoStack::availabilityChanged);
}

ImageUndoStack::~ImageUndoStack()
{
    // The stack empties itself as it goes; nobody is told any more.
    disconnect(&stack_, nullptr, this, nullptr);
}

void ImageUndoStack::recordChange()
{
    // A message box comes up while its change is being stored (a rule's question, a store's
    // warning): what follows the answer belongs to the same step.
    if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr)
        return;
    if (std::optional<ImageStep> step = recorder_.take(image_.working()))
        stack_.push(new ImageStepCommand(image_, std::move(*step)));
}

void ImageUndoStack::clear()
{
    stack_.clear();
    recorder_.follow(image_.working());
}

void ImageUndoStack::undo()
{
    recordChange(); // a change not looked at yet is the one to undo
    if (!stack_.canUndo())
        return;
    stack_.undo();
    restored();
}

void ImageUndoStack::redo()
{
    recordChange();
    if (!stack_.canRedo())
        return;
    stack_.redo();
    restored();
}

void ImageUndoStack::restored()
{
    recorder_.follow(image_.working());
    emit imageRestored();
    // What the forms tidy up while they re-read the image is no step of its own: a step of it
    // would end the redo history.
    recorder_.follow(image_.working());
}

} // namespace rps
