#pragma once
// What the channel forms share on the Qt side: a channel editor over the form context's
// image, limits and texts, and the warning box of a store.
#include "forms/FieldForms.h"
#include "forms/FormCommands.h"
#include "forms/channel/ChannelEditor.h"
#include "forms/common/FormContext.h"

#include <QString>

class QWidget;

namespace rps {

inline constexpr int kChannelTextChannel = 868;

ChannelEditor makeChannelEditor(FormContext& context);
// The language texts, band limits and decimal separator the channel fields are shown with.
fields::FieldEnv channelFieldEnv(const FormContext& context);
// The channel fields (or the beat-shift options) over the form context's image.
std::unique_ptr<FieldFormSession> openChannelFields(FormContext& context);
std::unique_ptr<FieldFormSession> openBeatShiftFields(FormContext& context);
// Shows the warning or message of a store result, if any.
void showChannelMessage(FormContext& context, int textNumber);
QString languageText(const FormContext& context, int number);
// F12 and Shift+F11 of the channel forms: with the memory-map option, the record viewer of
// the channel. True when the key was one of them.
bool handleChannelMemoryMapKey(FormContext& context, int key, bool shift, int channel, QWidget* parent);

} // namespace rps
