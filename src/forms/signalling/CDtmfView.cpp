#include "forms/signalling/CDtmfView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/DtmfFields.h"

namespace rps {

CDtmfView::CDtmfView(FormContext& context, QWidget* parent) : CFieldFormView(context, kDtmfCommand, parent)
{
    auto* form = new CFieldForm(
        signalling::kDtmfFields,
        [&context] { return signalling::openDtmfForm(context.image, formFieldEnv(context)); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, &CDtmfView::showStored);
    refreshFromImage();
}

CFormView* CDtmfView::create(FormContext& context, QWidget* parent)
{
    return new CDtmfView(context, parent);
}

QString CDtmfView::formTitle() const
{
    return text(signalling::kDtmfTitleText);
}

void CDtmfView::refreshFromImage()
{
    fieldForm()->refresh();
}

} // namespace rps
