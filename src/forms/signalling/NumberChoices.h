#pragma once
// The codec of a list whose entries are plain numbers: each entry reads as its decimal value,
// and a stored value that is no entry reads as nothing (the list shows no selection).
#include "forms/fields/FieldTable.h"

#include <algorithm>
#include <string>

namespace rps::signalling {

template <const auto& Values> fields::FieldCodec numberChoices()
{
    return {
        [](uint32_t raw, const fields::FieldEnv&) {
            return std::find(std::begin(Values), std::end(Values), raw) != std::end(Values)
                       ? std::to_string(raw)
                       : std::string();
        },
        [](std::string_view, const fields::FieldEnv&) { return fields::CodecParse{}; },
    };
}

} // namespace rps::signalling
