#pragma once
// The menu bar of the main window as data: every top-level menu with its entries (command
// and language text), in the order the menus are rebuilt from the language texts, and the
// Edit entries that the registry of editing forms supplies.
#include "forms/common/AppOptions.h"
#include "forms/common/FormCommands.h"

#include <span>
#include <vector>

namespace rps {

struct MenuEntry {
    int command = 0; // 0 = separator
    int text = 0;    // language text
};

struct MenuDefinition {
    int titleText;
    std::vector<MenuEntry> entries;
};

// The nine menus in bar order (File, Model, Edit, Program, Tools, Setup, View, Window, Help),
// with the entries the options allow. No menu ends in a separator.
// The Edit menu lists Undo and Redo, then editForms in their order.
std::vector<MenuDefinition> mainMenuLayout(const AppOptions& options,
                                           std::span<const EditMenuForm> editForms);

// Commands whose feature is not part of this build yet: present in the menus, disabled.
bool isCommandAvailable(int command);

} // namespace rps
