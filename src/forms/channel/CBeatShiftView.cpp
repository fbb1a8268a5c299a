#include "forms/channel/CBeatShiftView.h"

#include "forms/channel/ChannelFormSupport.h"

#include <QKeyEvent>

namespace rps {

namespace {
constexpr int kBeatShiftText = 906;
} // namespace

CBeatShiftView::CBeatShiftView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kBeatShiftCommand, parent)
{
    auto* form = new CFieldForm(
        kBeatShiftFields, [&context] { return openBeatShiftFields(context); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, [this](int, const fields::EditResult& result) {
        if (result.changed)
            this->context().host.refreshAllForms();
        refreshFromImage();
    });
    refreshFromImage();
}

CFormView* CBeatShiftView::create(FormContext& context, QWidget* parent)
{
    return new CBeatShiftView(context, parent);
}

QString CBeatShiftView::formTitle() const
{
    return QStringLiteral("%1  [ %2 - %3 ]")
        .arg(text(kBeatShiftText), text(kChannelTextChannel))
        .arg(context().host.currentChannel() + 1);
}

void CBeatShiftView::refreshFromImage()
{
    // The options only act while the channel's Beat Shift is on (the rules disable them).
    fieldForm()->setRecord(context().host.currentChannel());
    fieldForm()->refresh();
    emit titleChanged(formTitle());
}

void CBeatShiftView::keyPressEvent(QKeyEvent* event)
{
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier,
                                  context().host.currentChannel(), this))
        return;
    CFieldFormView::keyPressEvent(event);
}

void CBeatShiftView::channelSelectionChanged(int)
{
    refreshFromImage();
}

} // namespace rps
