#pragma once
#include "forms/common/FormCommands.h"

// Command numbers of the main window's menus, tool bar and accelerators. The numbers are
// the ones the help contexts and the form registry are keyed by.
namespace rps::cmd {

// File
inline constexpr int kNew = 200;
inline constexpr int kOpen = 201;
inline constexpr int kSave = 202;
inline constexpr int kSaveAs = 203;
inline constexpr int kBackups = 32901; // the backups folder: list and open
inline constexpr int kPrint = 32794;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kExportPdf = 32900; // ours: the report as a PDF file
inline constexpr int kExit = 207;
// Edit
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
// Model
inline constexpr int kModelInformation = 32771;
// Edit: the form registry after Undo and Redo
inline constexpr int kChannelInformation = kChannelInformationCommand;
inline constexpr int kSupportUtility = 32834;
// Program
inline constexpr int kReadFromRadio = 40060;
inline constexpr int kWriteToRadio = 40061;
inline constexpr int kTestMode = 40064;
inline constexpr int kTuningData = 32853;
inline constexpr int kMemoryMap = 40006;
inline constexpr int kMemoryMapEeprom = 32859;
inline constexpr int kMemoryMapTrace = 32856;
inline constexpr int kCompare = 32871; // two configurations field by field
// Tools
inline constexpr int kKeypad = 32854;
inline constexpr int kRepeaterInformation = 32815;
inline constexpr int kHardwareVersion = 32862;
// Setup
inline constexpr int kCommunicationPort = 40011;
inline constexpr int kLanguageFileSetup = 32816;
inline constexpr int kSecurity = 32851;
// View
inline constexpr int kTreeView = 40008;
inline constexpr int kToolBar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kFocusTree = 32849;
// Window
inline constexpr int kCascade = 57650;
inline constexpr int kTileHorizontally = 57651;
inline constexpr int kTileVertically = 57652;
inline constexpr int kArrange = 57649;
inline constexpr int kCloseAllWindows = 40012;
// Help
inline constexpr int kHelpTopics = 40069;
inline constexpr int kHelpTopicsAdvanced = 32855;
inline constexpr int kAbout = 40096;

} // namespace rps::cmd
