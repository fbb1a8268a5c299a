#include "forms/channel/ChannelFormSupport.h"

#include "app/CommonTexts.h"
#include "service/MemMapOpeners.h"

#include <Qt>

namespace rps {

ChannelEditor makeChannelEditor(FormContext& context)
{
    const LanguageTable& texts = context.texts;
    return ChannelEditor(
        context.image, [&texts](int n) { return texts.text(n); }, context.host.frequencyLimits(),
        context.host.decimalSeparator());
}

fields::FieldEnv channelFieldEnv(const FormContext& context)
{
    const LanguageTable& texts = context.texts;
    return {[&texts](int n) { return texts.text(n); }, context.host.frequencyLimits(),
            context.host.decimalSeparator()};
}

std::unique_ptr<FieldFormSession> openChannelFields(FormContext& context)
{
    return findDeclaredForm("channel")->open(context.image, channelFieldEnv(context));
}

std::unique_ptr<FieldFormSession> openBeatShiftFields(FormContext& context)
{
    return findDeclaredForm("beat-shift")->open(context.image, channelFieldEnv(context));
}

void showChannelMessage(FormContext& context, int textNumber)
{
    if (textNumber == 0)
        return;
    MessageRequest request;
    request.text = context.texts.text(textNumber);
    request.caption = context.texts.text(texts::kWarningCaption);
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Warning;
    context.dialogs.showMessage(request);
}

QString languageText(const FormContext& context, int number)
{
    return QString::fromStdString(context.texts.text(number));
}

bool handleChannelMemoryMapKey(FormContext& context, int key, bool shift, int channel, QWidget* parent)
{
    if (key != Qt::Key_F12 && !(key == Qt::Key_F11 && shift))
        return false;
    if (context.options.memoryMap)
        openChannelRecordViewer(context, channel, parent);
    return true;
}

} // namespace rps
