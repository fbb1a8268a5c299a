#pragma once
// What the channel forms share on the Qt side: a channel editor and the channel fields over
// the form context's image, limits and texts, and the memory-map keys.
#include "forms/channel/ChannelEditor.h"
#include "forms/common/FormCommands.h"
#include "forms/common/FormContext.h"
#include "forms/common/FormSupport.h"
#include "forms/fields/DeclaredForm.h"

#include <QString>

class QWidget;

namespace rps {

inline constexpr int kChannelTextChannel = 868;

ChannelEditor makeChannelEditor(FormContext& context);
// The channel fields (or the beat-shift options) over the form context's image.
std::unique_ptr<FieldFormSession> openChannelFields(FormContext& context);
std::unique_ptr<FieldFormSession> openBeatShiftFields(FormContext& context);
// F12 and Shift+F11 of the channel forms: with the memory-map option, the record viewer of
// the channel. True when the key was one of them.
bool handleChannelMemoryMapKey(FormContext& context, int key, bool shift, int channel, QWidget* parent);

} // namespace rps
