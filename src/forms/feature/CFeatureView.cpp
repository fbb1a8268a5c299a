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
    : CDeclaredFormView(context, kOptionalFeaturesCommand, kFeatureFormKey, feature::featureFields(), parent,
                        {std::begin(feature::kFeaturePageTexts), std::end(feature::kFeaturePageTexts)})
{
    // Removed functions and reset entries show in the key, port and remote-control forms: the
    // shared reaction to a stored edit refreshes every form.
    connect(fieldForm(), &CFieldForm::buttonClicked, this, [this](int item) {
        if (item != feature::kItemDataPassword)
            return;
        CDataPasswordDialog* dialog = makePasswordDialog();
        if (dialog->exec() == QDialog::Accepted)
            this->context().host.refreshAllForms();
        dialog->deleteLater();
    });
}

CFormView* CFeatureView::create(FormContext& context, QWidget* parent)
{
    return new CFeatureView(context, parent);
}

CDataPasswordDialog* CFeatureView::makePasswordDialog()
{
    FormContext& formContext = context();
    return new CDataPasswordDialog(
        formContext, [&formContext] { return openDeclaredForm(formContext, kFeatureFormKey); }, this);
}

} // namespace rps
