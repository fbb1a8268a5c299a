#pragma once
// What storing a Morse text (a channel's CW ID, a CW message) asks beyond its characters: two
// spaces in a row are refused with a message and leave the stored text as it was; a text that
// starts with a space loses that space (the rest moves one place to the left).
#include "forms/fields/FieldRules.h"

namespace rps::signalling {

inline constexpr int kMorseTextLength = 32;
inline constexpr int kMessageNotMorse = 804;

// For the rules' beforeStore of a Morse text row: refuses the edit (Done) or narrows its text.
fields::StoreStep checkMorseText(fields::FieldEdit& edit, fields::EditResult& result);

} // namespace rps::signalling
