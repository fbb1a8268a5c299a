#include "forms/signalling/CEmbView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/MessageFields.h"
#include "forms/signalling/MorseEditWidth.h"

namespace rps {

using namespace signalling;

CEmbView::CEmbView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kEmbeddedMessageCommand, parent)
{
    auto* form = new CFieldForm(
        kMessageFields, [&context] { return openDeclaredForm(context, "message"); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    for (int item : {message::kItemLine1, message::kItemLine2}) {
        // A whole line of 32 characters shows.
        control(item)->setFont(fixedWidthFont());
        fitToText(control(item));
    }
    connect(form, &CFieldForm::edited, this, [this](int, const fields::EditResult& result) {
        showFormMessage(this->context(), result.message);
        refreshFromImage();
    });
    refreshFromImage();
}

CFormView* CEmbView::create(FormContext& context, QWidget* parent)
{
    return new CEmbView(context, parent);
}

QString CEmbView::formTitle() const
{
    return text(kMessageTitleText);
}

void CEmbView::refreshFromImage()
{
    fieldForm()->refresh();
}

} // namespace rps
