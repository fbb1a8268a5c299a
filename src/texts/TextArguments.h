#pragma once
// Fills the "%s" places of a language text with strings, in order. The text comes from a
// file the user can edit, so it is never used as a printf format: a place without an
// argument becomes empty, other "%" sequences stay as they are and "%%" is one "%".
#include <initializer_list>
#include <string>
#include <string_view>

namespace rps {

std::string fillTextArguments(std::string_view text, std::initializer_list<std::string_view> arguments);

} // namespace rps
