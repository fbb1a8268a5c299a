#include "link/TransferSteps.h"

#include "link/LinkTexts.h"
#include "link/PortOpenFailure.h"

namespace rps::transfer {

void showError(TransferContext& context, int text)
{
    MessageRequest request;
    request.text = context.texts.text(text);
    request.caption = context.texts.text(texts::kErrorCaption);
    request.icon = MessageIcon::Error;
    context.dialogs.showMessage(request);
}

int leaveAndClose(TransferContext& context)
{
    context.link.leaveMode();
    context.link.close();
    return kLinkFailed;
}

int failLeaveClose(TransferContext& context, int text)
{
    showError(context, text);
    return leaveAndClose(context);
}

int failAbandonClose(TransferContext& context, int text)
{
    showError(context, text);
    return abandonAndClose(context);
}

int abandonAndClose(TransferContext& context)
{
    context.link.abandonWrite();
    context.link.close();
    return kLinkFailed;
}

bool interrupted(const TransferContext& context)
{
    return context.interrupted && context.interrupted();
}

void progress(TransferContext& context, int step, int total)
{
    if (context.progress)
        context.progress(step, total);
}

void repaint(TransferContext& context)
{
    if (context.repaint)
        context.repaint();
}

bool reopenPort(TransferContext& context)
{
    context.link.close();
    if (context.link.open())
        return true;
    // The described message, then the device and what the system said about it.
    MessageRequest request;
    request.text =
        context.texts.text(texts::kPortCannotOpen) + "\n" +
        portOpenFailureText(context.texts, context.link.devicePath(), context.link.lastOpenFailure());
    request.caption = context.texts.text(texts::kErrorCaption);
    request.icon = MessageIcon::Error;
    context.dialogs.showMessage(request);
    return false;
}

int enterProgramSession(TransferContext& context)
{
    RadioLink& link = context.link;
    link.pumpMessages();
    if (!reopenPort(context))
        return kLinkFailed;
    link.delay(50);
    if (link.enterProgramMode() != kLinkOk)
        return failLeaveClose(context, texts::kNoAnswer);
    return kLinkOk;
}

} // namespace rps::transfer
