#pragma once
// The menu bar of the main window as data: every top-level menu with its entries (command
// and language text), in the order the menus are rebuilt from the language texts, and the
// registry of editing forms behind the Edit menu and the tree of editing areas.
#include "app/AppOptions.h"

#include <span>
#include <vector>

namespace rps {

struct FormRegistryRow {
    int command;
    int menuText;  // language text of the Edit entry
    int titleText; // language text of the form's title and tree entry
    bool separatorAfter;
};

// The sixteen Edit entries in menu order (the tree shows the same sixteen).
std::span<const FormRegistryRow> formRegistry();
const FormRegistryRow* findFormRow(int command);

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
std::vector<MenuDefinition> mainMenuLayout(const AppOptions& options);

// Commands whose feature is not part of this build yet: present in the menus, disabled.
bool isCommandAvailable(int command);

} // namespace rps
