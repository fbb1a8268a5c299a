#include "forms/signalling/CTestFreqView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/TestFreqFields.h"

#include <QPushButton>

namespace rps {

using namespace signalling;

CTestFreqView::CTestFreqView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kTestFrequencyCommand, parent)
{
    CFieldForm* form = makeDeclaredForm(kTestFreqFields, "test-frequency");
    channelPaste_ = new QPushButton(text(testfreq::kChPasteText), this);
    channelPaste_->setObjectName("channelPaste");
    setFieldForm(form, {channelPaste_});
    connect(channelPaste_, &QPushButton::clicked, this, &CTestFreqView::pasteChannels);
    connect(form, &CFieldForm::edited, this, &CTestFreqView::showStored);
    refreshFromImage();
}

CFormView* CTestFreqView::create(FormContext& context, QWidget* parent)
{
    return new CTestFreqView(context, parent);
}

CGridView* CTestFreqView::grid() const
{
    return fieldForm()->grid(testfreq::kItemGrid);
}

void CTestFreqView::refreshFromImage()
{
    fieldForm()->refresh();
    channelPaste_->setEnabled(anyTestFreqChannel(context().image));
}

void CTestFreqView::pasteChannels()
{
    if (pasteChannelFrequencies(context().image))
        context().host.refreshAllForms();
    refreshFromImage();
}

} // namespace rps
