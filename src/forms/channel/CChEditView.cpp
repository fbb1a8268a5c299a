#include "forms/channel/CChEditView.h"

#include "forms/channel/ChannelFormSupport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace rps {

namespace {
constexpr int kTitleText = 897;
constexpr int kBeatShiftText = 906;
} // namespace

CChEditView::CChEditView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kChannelEditCommand, parent)
{
    auto* form = new CFieldForm(
        kChannelFields, [&context] { return openChannelFields(context); }, [this](int n) { return text(n); },
        context.host.decimalSeparator(), this);
    // The beat-shift options of the channel are edited on a form of their own.
    beatShiftButton_ = new QPushButton(text(kBeatShiftText), this);
    beatShiftButton_->setObjectName("beatShift");
    setFieldForm(form, {beatShiftButton_});
    control(kItemName)->setFont(fixedWidthFont());

    connect(form, &CFieldForm::edited, this, &CChEditView::stored);
    connect(form, &CFieldForm::recordChosen, this, &CChEditView::setChannel);
    connect(form, &CFieldForm::buttonClicked, this, [this](int item) {
        if (item != kItemCwIdButton)
            return;
        this->context().host.setCurrentChannel(channel_);
        this->context().host.openForm(kCwIdCommand);
    });
    connect(beatShiftButton_, &QPushButton::clicked, this, [this] {
        this->context().host.setCurrentChannel(channel_);
        this->context().host.openForm(kBeatShiftCommand);
    });
    channel_ = std::clamp(context.host.currentChannel(), 0, kChannelCount - 1);
    if (context.host.currentChannel() != channel_)
        context.host.setCurrentChannel(channel_);
    refreshAll(true);
}

CFormView* CChEditView::create(FormContext& context, QWidget* parent)
{
    return new CChEditView(context, parent);
}

QString CChEditView::formTitle() const
{
    return text(kTitleText);
}

void CChEditView::stored(int item, const fields::EditResult& result)
{
    showFormMessage(context(), result.refused ? 0 : result.message);
    if (result.changed)
        context().host.refreshAllForms();
    refreshAll(false);
    if (item == kItemTxFrequency && result.changed && !leavingBackwards_) {
        // The next thing to set after a transmit frequency is the channel type, or the
        // squelch when the type cannot be changed.
        QWidget* next =
            control(kItemChannelType)->isEnabled() ? control(kItemChannelType) : control(kItemQtDecode);
        next->setFocus(Qt::TabFocusReason);
        storePlacedFocus_ = true;
    }
}

bool CChEditView::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        storePlacedFocus_ = false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            // Store the typed text before Tab picks the next control: the store may enable it
            // (a first receive frequency creates the channel) or choose it.
            leavingBackwards_ = key == Qt::Key_Backtab;
            fieldForm()->commitPending(qobject_cast<QWidget*>(object));
            leavingBackwards_ = false;
            if (storePlacedFocus_)
                return true;
        }
    }
    return CFieldFormView::eventFilter(object, event);
}

void CChEditView::setChannel(int channel)
{
    channel = std::clamp(channel, 0, kChannelCount - 1);
    const bool moved = channel != channel_;
    channel_ = channel;
    if (context().host.currentChannel() != channel_)
        context().host.setCurrentChannel(channel_);
    if (moved)
        refreshAll(false);
    else
        static_cast<CSpinEdit*>(control(kItemChannel))->setValue(channel_ + 1);
}

void CChEditView::stepChannel(int direction)
{
    setChannel((channel_ + (direction > 0 ? 1 : kChannelCount - 1)) % kChannelCount);
}

void CChEditView::refreshFromImage()
{
    refreshAll(false);
}

void CChEditView::channelSelectionChanged(int channel)
{
    if (channel >= 0 && channel < kChannelCount && channel != channel_) {
        channel_ = channel;
        refreshAll(false);
    }
}

void CChEditView::refreshAll(bool focusChannel)
{
    fieldForm()->setRecord(channel_);
    fieldForm()->refresh();
    // A button whose form is not part of this build is disabled rather than dead.
    if (!context().host.formAvailable(kCwIdCommand))
        CItemFormBuilder::setItemEnabled(fieldForm()->items().value(kItemCwIdButton), false);
    const auto session = openChannelFields(context());
    beatShiftButton_->setEnabled(session->engine().enabled(channelField(kItemBeatShift), channel_));
    emit titleChanged(formTitle());
    if (focusChannel)
        control(kItemChannel)->setFocus(Qt::OtherFocusReason);
}

void CChEditView::closeEvent(QCloseEvent* event)
{
    // The forms opened from this one go with it.
    context().host.closeForm(kBeatShiftCommand);
    context().host.closeForm(kCwIdCommand);
    CFieldFormView::closeEvent(event);
}

void CChEditView::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && storePlacedFocus_) {
        storePlacedFocus_ = false;
        return;
    }
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier, channel_,
                                  this))
        return;
    CFieldFormView::keyPressEvent(event);
}

} // namespace rps
