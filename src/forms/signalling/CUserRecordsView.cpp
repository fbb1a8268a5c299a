#include "forms/signalling/CUserRecordsView.h"

#include "forms/common/FormSupport.h"
#include "forms/feature/CSpecialFrame.h"
#include "forms/signalling/UserFields.h"

#include <iterator>

namespace rps {

using namespace signalling;

namespace {
constexpr std::string_view kUserFormKey = "user-list";
} // namespace

CUserRecordsView::CUserRecordsView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kUserListCommand, parent)
{
    auto* form = new CFieldForm(
        userFields(), [&context] { return openDeclaredForm(context, kUserFormKey); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this,
        {std::begin(users::kPageTexts), std::end(users::kPageTexts)});
    setFieldForm(form);
    connect(form, &CFieldForm::edited, this, &CUserRecordsView::showStored);
    refreshFromImage();
}

CFormView* CUserRecordsView::create(FormContext& context, QWidget* parent)
{
    return new CUserRecordsView(context, parent);
}

QString CUserRecordsView::formTitle() const
{
    return text(users::kTitleText);
}

void CUserRecordsView::refreshFromImage()
{
    fieldForm()->refresh();
}

CChildFrame* CUserRecordsView::createFrame(const QList<QKeySequence>& frameKeys)
{
    return new CSpecialFrame(this, frameKeys);
}

CGridView* CUserRecordsView::listGrid(int list) const
{
    return fieldForm()->grid(list == 1 ? users::kItemGrid1 : users::kItemGrid2);
}

} // namespace rps
