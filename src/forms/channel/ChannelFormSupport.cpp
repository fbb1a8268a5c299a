#include "forms/channel/ChannelFormSupport.h"

#include <Qt>

namespace rps {

ChannelEditor makeChannelEditor(FormContext& context)
{
    const LanguageTable& texts = context.texts;
    return ChannelEditor(
        context.image, [&texts](int n) { return texts.text(n); }, context.host.frequencyLimits(),
        context.host.decimalSeparator());
}

std::unique_ptr<FieldFormSession> openChannelFields(FormContext& context)
{
    return openDeclaredForm(context, "channel");
}

std::unique_ptr<FieldFormSession> openBeatShiftFields(FormContext& context)
{
    return openDeclaredForm(context, "beat-shift");
}

bool handleChannelMemoryMapKey(FormContext& context, int key, bool shift, int channel, QWidget* parent)
{
    if (key != Qt::Key_F12 && !(key == Qt::Key_F11 && shift))
        return false;
    if (context.options.memoryMap)
        context.host.showChannelRecord(channel, parent);
    return true;
}

} // namespace rps
