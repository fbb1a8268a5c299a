#include "forms/signalling/CNxdnView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/NxdnFields.h"

namespace rps {

CNxdnView::CNxdnView(FormContext& context, QWidget* parent) : CFieldFormView(context, kNxdnCommand, parent)
{
    auto* form = new CFieldForm(
        signalling::kNxdnFields,
        [&context] { return signalling::openNxdnForm(context.image, formFieldEnv(context)); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, &CNxdnView::showStored);
    refreshFromImage();
}

CFormView* CNxdnView::create(FormContext& context, QWidget* parent)
{
    return new CNxdnView(context, parent);
}

QString CNxdnView::formTitle() const
{
    return text(signalling::kNxdnTitleText);
}

void CNxdnView::refreshFromImage()
{
    fieldForm()->refresh();
}

} // namespace rps
