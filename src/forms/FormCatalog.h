#pragma once
// The registry of editing forms: the one table that the menus, the tree of editing areas and
// the main frame's form opening all read.
#include "forms/common/CFormView.h"
#include "forms/common/FormCommands.h"

#include <span>
#include <vector>

namespace rps {

// Every form in Edit menu order, then the forms opened from other forms.
std::span<const FormDescriptor> formCatalog();
// The row of a command, whether or not its form is built; nullptr for other commands.
const FormDescriptor* formRegistration(int command);
// The form of a command when this build can make it; nullptr otherwise.
const FormDescriptor* findForm(int command);
// The Edit menu entries as the menu layout takes them.
std::vector<EditMenuForm> editMenuForms();

} // namespace rps
