#pragma once
// Which declared field holds a byte of the image, for reports that name what differs (the
// read-back after a write): "<form title> <record key> \"<caption>\"", the key form in brackets.
#include "forms/fields/FieldRules.h"
#include "model/ConfigImage.h"

#include <cstddef>
#include <functional>
#include <string>

namespace rps {

// The lookup walks every declared form over image on its first question and answers from the
// table it built then; image must live as long as the lookup. Aux = false for the main area.
std::function<std::string(bool aux, std::size_t offset)> fieldPlaceLookup(ConfigImage& image,
                                                                          const fields::FieldEnv& env);

} // namespace rps
