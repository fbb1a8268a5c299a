#include "app/ShellMenus.h"

#include "app/ShellCommands.h"

namespace rps {

namespace {

constexpr MenuEntry kSeparator{0, 0};
constexpr int kUndoText = 531;
constexpr int kRedoText = 532;

void dropTrailingSeparator(std::vector<MenuEntry>& entries)
{
    while (!entries.empty() && entries.back().command == 0)
        entries.pop_back();
}

} // namespace

std::vector<MenuDefinition> mainMenuLayout(const AppOptions& options, std::span<const EditMenuForm> editForms)
{
    std::vector<MenuDefinition> menus;
    menus.push_back({58,
                     {{cmd::kNew, 59},
                      {cmd::kOpen, 60},
                      {cmd::kSave, 61},
                      {cmd::kSaveAs, 62},
                      {cmd::kBackups, 496},
                      kSeparator,
                      {cmd::kPrint, 63},
                      {cmd::kPrintPreview, 64},
                      {cmd::kExportPdf, 227},
                      kSeparator,
                      {cmd::kExit, 66}}});
    menus.push_back({69, {{cmd::kModelInformation, 70}}});

    MenuDefinition edit{71, {{cmd::kUndo, kUndoText}, {cmd::kRedo, kRedoText}, kSeparator}};
    for (const EditMenuForm& form : editForms) {
        edit.entries.push_back({form.command, form.menuText});
        if (form.separatorAfter)
            edit.entries.push_back(kSeparator);
    }
    dropTrailingSeparator(edit.entries);
    menus.push_back(std::move(edit));

    menus.push_back({91,
                     {{cmd::kReadFromRadio, 92},
                      {cmd::kWriteToRadio, 93},
                      {cmd::kCompare, 463},
                      {cmd::kTestMode, 94},
                      {cmd::kTuningData, 95},
                      {cmd::kMemoryMap, 96},
                      {cmd::kMemoryMapEeprom, 97},
                      {cmd::kMemoryMapTrace, 99}}});

    MenuDefinition tools{
        101, {{cmd::kKeypad, 106}, {cmd::kRepeaterInformation, 102}, {cmd::kHardwareVersion, 108}}};
    if (options.supportUtility)
        tools.entries.push_back({cmd::kSupportUtility, 104});
    menus.push_back(std::move(tools));

    menus.push_back(
        {109, {{cmd::kCommunicationPort, 110}, {cmd::kLanguageFileSetup, 111}, {cmd::kSecurity, 112}}});
    menus.push_back({113, {{cmd::kTreeView, 114}, kSeparator, {cmd::kToolBar, 115}, {cmd::kStatusBar, 116}}});
    menus.push_back({117,
                     {{cmd::kCascade, 118},
                      {cmd::kTileHorizontally, 119},
                      {cmd::kTileVertically, 120},
                      {cmd::kArrange, 121},
                      kSeparator,
                      {cmd::kCloseAllWindows, 122}}});

    MenuDefinition help{
        123, {{cmd::kHelpTopics, 124}, {cmd::kHelpTopicsAdvanced, 126}, kSeparator, {cmd::kAbout, 125}}};
    dropTrailingSeparator(help.entries);
    menus.push_back(std::move(help));
    return menus;
}

bool isCommandAvailable(int command)
{
    switch (command) {
    case cmd::kNew:
    case cmd::kUndo: // while there is a step to undo or redo (the main frame decides)
    case cmd::kRedo:
    case cmd::kOpen:
    case cmd::kSave:
    case cmd::kSaveAs:
    case cmd::kBackups:
    case cmd::kExit:
    case cmd::kModelInformation:
    case cmd::kReadFromRadio:
    case cmd::kWriteToRadio:
    case cmd::kCompare:
    case cmd::kCommunicationPort:
    case cmd::kLanguageFileSetup:
    case cmd::kSecurity:
    case cmd::kTreeView:
    case cmd::kToolBar:
    case cmd::kStatusBar:
    case cmd::kCascade:
    case cmd::kTileHorizontally:
    case cmd::kTileVertically:
    case cmd::kArrange:
    case cmd::kCloseAllWindows:
    case cmd::kAbout:
    case cmd::kHelpTopics:
    case cmd::kHelpTopicsAdvanced:
    case cmd::kMemoryMap:
    case cmd::kMemoryMapEeprom:
    case cmd::kMemoryMapTrace:
    case cmd::kTuningData:
    case cmd::kTestMode:
    case cmd::kSupportUtility: // offered only with its start-up word
    case cmd::kRepeaterInformation:
    case cmd::kHardwareVersion:
    case cmd::kPrint:
    case cmd::kPrintPreview:
    case cmd::kExportPdf:
        return true;
    case cmd::kKeypad:
        return false; // the keypad bar has no content
    default:
        // The keypad arrives with its own subsystem; the Edit entries are
        // decided by the form catalogue.
        return false;
    }
}

} // namespace rps
