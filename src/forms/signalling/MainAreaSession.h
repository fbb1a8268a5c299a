#pragma once
// A declared form of repeater-wide settings: one record, the main area, the form's rules (if
// it has any) over it.
#include "forms/fields/DeclaredForm.h"

#include <memory>

namespace rps::signalling {

std::unique_ptr<FieldFormSession> openMainAreaForm(fields::FieldTable table, ConfigImage& image,
                                                   const fields::FieldEnv& env,
                                                   std::unique_ptr<fields::FieldRules> rules = nullptr);

} // namespace rps::signalling
