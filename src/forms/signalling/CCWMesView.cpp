#include "forms/signalling/CCWMesView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/CwMessageFields.h"
#include "forms/signalling/MorseEditWidth.h"

namespace rps {

CCWMesView::CCWMesView(FormContext& context, QWidget* parent)
    : CDeclaredFormView(context, kCwMessageCommand, "cw-message", kCwMessageFields, parent)
{
    for (int message = 0; message < cwmessage::kMessageCount; ++message)
        fitToText(control(cwmessage::kItemFirstMessage + message));
}

CFormView* CCWMesView::create(FormContext& context, QWidget* parent)
{
    return new CCWMesView(context, parent);
}

} // namespace rps
