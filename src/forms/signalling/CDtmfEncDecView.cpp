#include "forms/signalling/CDtmfEncDecView.h"

#include "forms/common/FormSupport.h"
#include "forms/feature/CSpecialFrame.h"
#include "forms/signalling/EncDecFields.h"

#include <iterator>

namespace rps {

using namespace signalling;

namespace {
constexpr std::string_view kEncDecFormKey = "encode-decode";
} // namespace

CDtmfEncDecView::CDtmfEncDecView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kEncodeDecodeCommand, parent)
{
    auto* form = new CFieldForm(
        encDecFields(), [&context] { return openDeclaredForm(context, kEncDecFormKey); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this,
        {std::begin(kEncDecPageTexts), std::end(kEncDecPageTexts)});
    // The transpond fields and the side tone belong to the form-wide record.
    form->setRecord(kEncDecWideRecord);
    setFieldForm(form);
    // An emptied code takes its remote-control assignments along.
    connect(form, &CFieldForm::edited, this, &CDtmfEncDecView::showStored);
    refreshFromImage();
}

CFormView* CDtmfEncDecView::create(FormContext& context, QWidget* parent)
{
    return new CDtmfEncDecView(context, parent);
}

QString CDtmfEncDecView::formTitle() const
{
    return text(kEncDecTitleText);
}

void CDtmfEncDecView::refreshFromImage()
{
    fieldForm()->refresh();
}

CChildFrame* CDtmfEncDecView::createFrame(const QList<QKeySequence>& frameKeys)
{
    return new CSpecialFrame(this, frameKeys);
}

CGridView* CDtmfEncDecView::encodeGrid() const
{
    return fieldForm()->grid(kEncodeGridItem);
}

CGridView* CDtmfEncDecView::decodeGrid() const
{
    return fieldForm()->grid(kDecodeGridItem);
}

} // namespace rps
