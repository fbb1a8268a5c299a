#pragma once
// "LastModel": the sixteen bytes of the model block the application last worked with.
#include "model/ModelBlock.h"

#include <optional>
#include <string>
#include <string_view>

namespace rps {

std::string formatLastModel(const ModelBlock& block);
// Any sixteen hexadecimal bytes, whether or not they name a known model.
std::optional<ModelBlock> parseLastModel(std::string_view text);
// The model block start-up builds its defaults for: the remembered one when it parses, is a
// valid model block and is accepted for Open, with the two "password empty" option bits set;
// nothing otherwise (the default model is used then).
std::optional<ModelBlock> startupModelFromSetting(std::string_view text);

} // namespace rps
