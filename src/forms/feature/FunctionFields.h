#pragma once
// What every field holding a function code shares: its text is the name of the code in the
// function table (any code the table knows, offered here or not), and its list is the
// choice list of the place's context under the image as it stands.
#include "forms/fields/FieldTable.h"
#include "model/records/FunctionCodePlaces.h"

#include <cstdint>
#include <span>
#include <vector>

namespace rps::feature {

// Language text shown in a list whose stored value is not offered.
inline constexpr int kTextNotOffered = 849;
// Caption of a function column.
inline constexpr int kTextFunction = 1118;

// Names a function code by the function table; an unknown code shows nothing.
extern const fields::FieldCodec kFunctionNameCodec;

// The functions offered in a context, each with its name text, in table order.
std::vector<fields::Choice> functionChoices(FunctionContext context, std::span<const uint8_t> mainArea);

} // namespace rps::feature
