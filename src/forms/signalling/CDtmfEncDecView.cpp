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
    : CDeclaredFormView(context, kEncodeDecodeCommand, kEncDecFormKey, encDecFields(), parent,
                        {std::begin(kEncDecPageTexts), std::end(kEncDecPageTexts)})
{
    // The transpond fields and the side tone belong to the form-wide record. An emptied code
    // takes its remote-control assignments along: the shared reaction refreshes every form.
    fieldForm()->setRecord(kEncDecWideRecord);
    refreshFromImage();
}

CFormView* CDtmfEncDecView::create(FormContext& context, QWidget* parent)
{
    return new CDtmfEncDecView(context, parent);
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
