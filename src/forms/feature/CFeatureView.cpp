#include "forms/feature/CFeatureView.h"

#include "forms/common/FormSupport.h"
#include "forms/feature/CDataPasswordDialog.h"
#include "forms/feature/FeatureFields.h"

#include <iterator>

namespace rps {

namespace {
constexpr std::string_view kFeatureFormKey = "features";
} // namespace

CFeatureView::CFeatureView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kOptionalFeaturesCommand, parent)
{
    auto* form = new CFieldForm(
        feature::featureFields(), [&context] { return openDeclaredForm(context, kFeatureFormKey); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this,
        {std::begin(feature::kFeaturePageTexts), std::end(feature::kFeaturePageTexts)});
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, [this](int, const fields::EditResult& result) {
        showFormMessage(this->context(), result.message);
        // Removed functions and reset entries show in the key, port and remote-control forms.
        if (result.changed)
            this->context().host.refreshAllForms();
        refreshFromImage();
    });
    connect(form, &CFieldForm::buttonClicked, this, [this](int item) {
        if (item != feature::kItemDataPassword)
            return;
        CDataPasswordDialog* dialog = makePasswordDialog();
        if (dialog->exec() == QDialog::Accepted)
            this->context().host.refreshAllForms();
        dialog->deleteLater();
    });
    refreshFromImage();
}

CFormView* CFeatureView::create(FormContext& context, QWidget* parent)
{
    return new CFeatureView(context, parent);
}

QString CFeatureView::formTitle() const
{
    return text(feature::kFeatureTitleText);
}

void CFeatureView::refreshFromImage()
{
    fieldForm()->refresh();
}

CDataPasswordDialog* CFeatureView::makePasswordDialog()
{
    FormContext& formContext = context();
    return new CDataPasswordDialog(
        formContext, [&formContext] { return openDeclaredForm(formContext, kFeatureFormKey); }, this);
}

} // namespace rps
