#pragma once
// The editing forms that exist in this build, keyed by their Edit menu command.
#include "forms/common/CFormView.h"

#include <vector>

namespace rps {

const std::vector<FormDescriptor>& formCatalog();
const FormDescriptor* findForm(int command);

} // namespace rps
