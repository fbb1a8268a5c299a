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
    auto* form = new CFieldForm(
        kTestFreqFields, [&context] { return openDeclaredForm(context, "test-frequency"); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    channelPaste_ = new QPushButton(text(testfreq::kChPasteText), this);
    channelPaste_->setObjectName("channelPaste");
    setFieldForm(form, {channelPaste_});
    connect(channelPaste_, &QPushButton::clicked, this, &CTestFreqView::pasteChannels);
    connect(form, &CFieldForm::edited, this, [this](int, const fields::EditResult& result) {
        showFormMessage(this->context(), result.message);
        refreshFromImage();
    });
    refreshFromImage();
}

CFormView* CTestFreqView::create(FormContext& context, QWidget* parent)
{
    return new CTestFreqView(context, parent);
}

QString CTestFreqView::formTitle() const
{
    return text(kTestFreqTitleText);
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
