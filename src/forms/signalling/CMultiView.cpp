#include "forms/signalling/CMultiView.h"

#include "forms/common/CSpinEdit.h"
#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/MultiFields.h"

#include <algorithm>

namespace rps {

using namespace signalling;

namespace {
constexpr std::string_view kMultiFormKey = "multi-table";
} // namespace

CMultiView::CMultiView(FormContext& context, QWidget* parent)
    : CDeclaredFormView(context, kMultiTableCommand, kMultiFormKey, kMultiFields, parent)
{
    // A table that lost its entries takes the channels' references along: the shared reaction
    // refreshes every form.
    connect(fieldForm(), &CFieldForm::recordChosen, this, &CMultiView::showTable);
}

CFormView* CMultiView::create(FormContext& context, QWidget* parent)
{
    return new CMultiView(context, parent);
}

CGridView* CMultiView::analogGrid() const
{
    return fieldForm()->grid(multi::kItemAnalogGrid);
}

CGridView* CMultiView::nxdnGrid() const
{
    return fieldForm()->grid(multi::kItemNxdnGrid);
}

void CMultiView::stepRecord(int direction)
{
    const int index = fieldForm()->record();
    showTable((index + (direction > 0 ? 1 : kMultiTableCount - 1)) % kMultiTableCount);
}

void CMultiView::showTable(int index)
{
    fieldForm()->setRecord(std::clamp(index, 0, kMultiTableCount - 1));
    refreshFromImage();
}

} // namespace rps
