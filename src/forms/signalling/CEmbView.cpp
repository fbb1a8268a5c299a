#include "forms/signalling/CEmbView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/MessageFields.h"
#include "forms/signalling/MorseEditWidth.h"

namespace rps {

using namespace signalling;

CEmbView::CEmbView(FormContext& context, QWidget* parent)
    : CDeclaredFormView(context, kEmbeddedMessageCommand, "message", kMessageFields, parent)
{
    for (int item : {message::kItemLine1, message::kItemLine2}) {
        // A whole line of 32 characters shows.
        control(item)->setFont(fixedWidthFont());
        fitToText(control(item));
    }
}

CFormView* CEmbView::create(FormContext& context, QWidget* parent)
{
    return new CEmbView(context, parent);
}

} // namespace rps
