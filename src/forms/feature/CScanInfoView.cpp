#include "forms/feature/CScanInfoView.h"

#include "forms/common/FormSupport.h"
#include "forms/feature/ScanFields.h"

namespace rps {

namespace {
constexpr int kTitleText = 834;
} // namespace

CScanInfoView::CScanInfoView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kScanInformationCommand, parent)
{
    auto* form = new CFieldForm(
        kScanFields, [&context] { return openScanForm(context.image, formFieldEnv(context)); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, &CScanInfoView::stored);
    refreshFromImage();
}

CFormView* CScanInfoView::create(FormContext& context, QWidget* parent)
{
    return new CScanInfoView(context, parent);
}

QString CScanInfoView::formTitle() const
{
    return text(kTitleText);
}

void CScanInfoView::refreshFromImage()
{
    // The priority channel list follows the channel store; the enable states and the revert
    // list follow the priority mode.
    fieldForm()->refresh();
}

void CScanInfoView::stored(int item, const fields::EditResult& result)
{
    showFormMessage(context(), result.message);
    if (result.changed)
        context().host.refreshAllForms();
    refreshFromImage();
    if (result.refused && control(item))
        control(item)->setFocus(Qt::OtherFocusReason);
}

} // namespace rps
