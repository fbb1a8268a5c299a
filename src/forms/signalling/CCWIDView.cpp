#include "forms/signalling/CCWIDView.h"

#include "forms/channel/ChannelFormSupport.h"
#include "forms/signalling/CwIdFields.h"
#include "forms/signalling/MorseEditWidth.h"

#include <QKeyEvent>
#include <QPushButton>

namespace rps {

CCWIDView::CCWIDView(FormContext& context, QWidget* parent) : CFieldFormView(context, kCwIdCommand, parent)
{
    CFieldForm* form = makeDeclaredForm(kCwIdFields, "cwid");
    setFieldForm(form);
    fitToText(control(cwid::kItemText));
    connect(form, &CFieldForm::edited, this, &CCWIDView::showStored);
    refreshFromImage();
}

CFormView* CCWIDView::create(FormContext& context, QWidget* parent)
{
    return new CCWIDView(context, parent);
}

void CCWIDView::refreshFromImage()
{
    const int channel = context().host.currentChannel();
    fieldForm()->setRecord(channel);
    fieldForm()->refresh();
    // A disabled control cannot keep the focus: it goes to Close.
    QWidget* focused = focusWidget();
    if (focused && !focused->isEnabled()) {
        if (auto* close = findChild<QPushButton*>(QStringLiteral("close")))
            close->setFocus(Qt::OtherFocusReason);
    }
}

void CCWIDView::channelSelectionChanged(int)
{
    refreshFromImage();
}

void CCWIDView::keyPressEvent(QKeyEvent* event)
{
    if (handleChannelMemoryMapKey(context(), event->key(), event->modifiers() & Qt::ShiftModifier,
                                  context().host.currentChannel(), this))
        return;
    CFieldFormView::keyPressEvent(event);
}

} // namespace rps
