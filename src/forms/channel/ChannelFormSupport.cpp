#include "forms/channel/ChannelFormSupport.h"

namespace rps {

ChannelEditor makeChannelEditor(FormContext& context)
{
    const LanguageTable& texts = context.texts;
    return ChannelEditor(context.image, [&texts](int n) { return texts.text(n); }, context.host.frequencyLimits(),
                         context.host.decimalSeparator());
}

void showChannelMessage(FormContext& context, int textNumber)
{
    if (textNumber == 0)
        return;
    MessageRequest request;
    request.text = context.texts.text(textNumber);
    request.caption = context.texts.text(770);
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Warning;
    context.dialogs.showMessage(request);
}

QString languageText(const FormContext& context, int number)
{
    return QString::fromStdString(context.texts.text(number));
}

} // namespace rps
