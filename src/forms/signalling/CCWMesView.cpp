#include "forms/signalling/CCWMesView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/CwMessageFields.h"
#include "forms/signalling/MorseEditWidth.h"

namespace rps {

CCWMesView::CCWMesView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kCwMessageCommand, parent)
{
    auto* form = new CFieldForm(
        kCwMessageFields, [&context] { return openDeclaredForm(context, "cw-message"); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    for (int message = 0; message < cwmessage::kMessageCount; ++message)
        fitToText(control(cwmessage::kItemFirstMessage + message));
    connect(form, &CFieldForm::edited, this, &CCWMesView::showStored);
    refreshFromImage();
}

CFormView* CCWMesView::create(FormContext& context, QWidget* parent)
{
    return new CCWMesView(context, parent);
}

QString CCWMesView::formTitle() const
{
    return text(cwmessage::kTitleText);
}

void CCWMesView::refreshFromImage()
{
    fieldForm()->refresh();
}

} // namespace rps
