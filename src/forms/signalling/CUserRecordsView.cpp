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
    : CDeclaredFormView(context, kUserListCommand, kUserFormKey, userFields(), parent,
                        {std::begin(users::kPageTexts), std::end(users::kPageTexts)})
{
}

CFormView* CUserRecordsView::create(FormContext& context, QWidget* parent)
{
    return new CUserRecordsView(context, parent);
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
