#include "forms/common/CDeclaredFormView.h"

namespace rps {

CDeclaredFormView::CDeclaredFormView(FormContext& context, int command, std::string_view key,
                                     fields::FieldTable fields, QWidget* parent, std::vector<int> pageTexts)
    : CFieldFormView(context, command, parent)
{
    CFieldForm* form = makeDeclaredForm(fields, key, std::move(pageTexts));
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, &CDeclaredFormView::showStored);
    refreshFromImage();
}

} // namespace rps
