#include "forms/signalling/MorseText.h"

namespace rps::signalling {

using namespace fields;

StoreStep checkMorseText(FieldEdit& edit, EditResult& result)
{
    // Only the characters that fit are stored; a double space further on does not count.
    const std::string_view kept = edit.text.substr(0, kMorseTextLength);
    if (kept.find("  ") != std::string_view::npos) {
        result.message = kMessageNotMorse;
        result.refused = true;
        return StoreStep::Done;
    }
    if (kept.starts_with(' '))
        edit.text = kept.substr(1);
    return StoreStep::Store;
}

} // namespace rps::signalling
