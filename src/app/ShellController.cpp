#include "app/ShellController.h"
#include "link/TraceFile.h"

#include "app/CAboutDialog.h"
#include "app/CLanguageDialog.h"
#include "app/CMainFrame.h"
#include "app/CModelInfoDialog.h"
#include "app/CSecurityDialog.h"
#include "app/ImageUndoStack.h"
#include "app/LanguageChoice.h"
#include "app/ShellCommands.h"
#include "app/ShellHelp.h"
#include "forms/FormCatalog.h"
#include "forms/channel/ChannelClipboard.h"
#include "forms/channel/ChannelEditor.h"
#include "forms/fields/RecordRows.h"
#include "link/RadioLink.h"
#include "model/ModelBlock.h"
#include "texts/CommonTexts.h"

namespace rps {

namespace {

constexpr int kQuitQuestionText = 539;
constexpr int kQuitCaptionText = 540;
using texts::kErrorCaption;
using texts::kQuestionCaption;

} // namespace

ShellController::ShellController(ShellParts parts) : parts_(std::move(parts)) {}

QWidget* ShellController::frameWidget() const
{
    return frame_;
}

const FormDescriptor* ShellController::findForm(int command) const
{
    return parts_.formLookup ? parts_.formLookup(command) : rps::findForm(command);
}

DocumentSession ShellController::session()
{
    return DocumentSession{parts_.image,
                           parts_.document,
                           parts_.limits,
                           parts_.dialogs,
                           parts_.texts,
                           parts_.installationId,
                           parts_.fileSettings,
                           [this] {
                               if (frame_ != nullptr)
                                   frame_->closeAllForms();
                           }};
}

ShellController::~ShellController() = default;

void ShellController::imageReplaced()
{
    readOrigin_.clear(); // a read sets it again once the image is in place
    channelClipboard().clear();
    fields::clearRecordClipboards();
    if (frame_ != nullptr) {
        frame_->undoStack().clear(); // no step leads back to the old image
        frame_->finishImageReplacement();
    }
}

void ShellController::showText(int text, int caption, MessageIcon icon)
{
    MessageRequest request;
    request.text = parts_.texts.text(text);
    request.caption = parts_.texts.text(caption);
    request.icon = icon;
    parts_.dialogs.showMessage(request);
}

void ShellController::runCommand(int command)
{
    switch (command) {
    case cmd::kNew:
        commandNew();
        break;
    case cmd::kOpen:
        commandOpen();
        break;
    case cmd::kSave:
        commandSave();
        break;
    case cmd::kSaveAs:
        commandSaveAs();
        break;
    case cmd::kBackups:
        commandBackups();
        break;
    case cmd::kModelInformation:
        commandModelInformation();
        break;
    case cmd::kReadFromRadio:
        commandRead();
        break;
    case cmd::kWriteToRadio:
        commandWrite();
        break;
    case cmd::kCompare:
        commandCompare();
        break;
    case cmd::kTestMode:
        commandTestMode();
        break;
    case cmd::kCommunicationPort:
        commandCommunicationPort();
        break;
    case cmd::kLanguageFileSetup:
        commandLanguage();
        break;
    case cmd::kSecurity:
        commandSecurity();
        break;
    case cmd::kAbout:
        commandAbout();
        break;
    case cmd::kTuningData:
        commandTuningData();
        break;
    case cmd::kSupportUtility:
        commandSupportUtility();
        break;
    case cmd::kHardwareVersion:
        commandHardwareVersion();
        break;
    case cmd::kRepeaterInformation:
        commandRepeaterInformation();
        break;
    default:
        break; // commands of subsystems not in this build are disabled in the menus
    }
}

bool ShellController::confirmClose()
{
    MessageRequest request;
    request.text = parts_.texts.text(kQuitQuestionText);
    request.caption = parts_.texts.text(kQuitCaptionText);
    request.buttons = MessageButtons::OkCancel;
    request.icon = MessageIcon::Question;
    if (parts_.dialogs.showMessage(request) != MessageAnswer::Ok)
        return false;
    DocumentSession document = session();
    return askSaveIfModified(document) == FlowDecision::GoOn;
}

void ShellController::storePlacement(const QString& placement)
{
    parts_.settings.lastWinPos = placement.toStdString();
    if (parts_.storePlacement)
        parts_.storePlacement(parts_.settings.lastWinPos);
}

void ShellController::commandNew()
{
    DocumentSession document = session();
    if (rps::commandNew(document))
        imageReplaced();
}

void ShellController::commandOpen()
{
    DocumentSession document = session();
    if (rps::commandOpen(document))
        imageReplaced();
}

void ShellController::openFile(const std::string& path)
{
    DocumentSession document = session();
    if (rps::commandOpen(document, path))
        imageReplaced();
}

void ShellController::commandSave()
{
    DocumentSession document = session();
    rps::commandSave(document);
    if (frame_ != nullptr)
        frame_->updateTitle();
}

void ShellController::commandSaveAs()
{
    DocumentSession document = session();
    rps::commandSaveAs(document);
    if (frame_ != nullptr)
        frame_->updateTitle();
}

void ShellController::commandModelInformation()
{
    const uint16_t current = readModelBlock(parts_.image.main()).modelCode();
    CModelInfoDialog dialog(parts_.texts, current, frameWidget());
    // Cancel on the change's question leaves the form open with the user's choice.
    while (dialog.exec() == QDialog::Accepted) {
        DocumentSession document = session();
        const bool changed =
            commandModelChange(document, dialog.chosenModelCode(), [this](const FrequencyLimits& limits) {
                recheckChannelFrequencies(parts_.image, limits);
            });
        if (changed) {
            imageReplaced();
            return;
        }
    }
}

void ShellController::commandCommunicationPort()
{
    const std::vector<PortChoice> present = parts_.listPorts ? parts_.listPorts() : std::vector<PortChoice>{};
    CPortDialog dialog(parts_.texts, present, parts_.settings.comPort, parts_.settings.comDevice,
                       frameWidget());
    // OK without a change keeps the port as it was.
    if (dialog.exec() != QDialog::Accepted || !dialog.changed())
        return;
    parts_.settings.comPort = dialog.chosenNumber();
    parts_.settings.comDevice = dialog.chosenDevice();
    parts_.link.setPort(static_cast<uint8_t>(parts_.settings.comPort), parts_.settings.comDevice);
    if (frame_ != nullptr)
        frame_->updatePortPane();
}

void ShellController::commandLanguage()
{
    const std::string currentName = parts_.texts.currentLanguageName();
    const int currentKey = languageKeyForName(currentName);
    CLanguageDialog dialog(parts_.texts, offeredLanguages(parts_.texts), currentKey, frameWidget());
    if (dialog.exec() != QDialog::Accepted || dialog.chosenKey() == currentKey)
        return;
    const LanguageRow& row = languageRowForKey(dialog.chosenKey());
    if (frame_ != nullptr)
        frame_->closeAllForms();
    const LanguageLoadResult loaded = parts_.texts.loadFile(parts_.languageFile, row.name);
    if (loaded != LanguageLoadResult::Ok) {
        MessageRequest request;
        request.text = loaded == LanguageLoadResult::NotFound ? LanguageTable::kMissingMessage
                                                              : LanguageTable::kDamagedMessage;
        request.caption = "RPS-360T";
        request.icon = MessageIcon::Error;
        parts_.dialogs.showMessage(request);
        // The previous texts stay; only the channel information form comes back.
        if (frame_ != nullptr)
            frame_->openForm(cmd::kChannelInformation);
        return;
    }
    parts_.settings.languageKey = row.key;
    if (frame_ != nullptr) {
        frame_->help().closeWindow();
        frame_->finishImageReplacement();
    }
}

void ShellController::commandSecurity()
{
    CSecurityDialog dialog(parts_.texts, parts_.dialogs, parts_.settings.security, frameWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    parts_.settings.security = dialog.choice();
    parts_.fileSettings.protectDataFiles = dialog.choice().dataFile;
    parts_.fileSettings.securityPassword = dialog.choice().password;
}

void ShellController::commandAbout()
{
    CAboutDialog dialog(parts_.texts, frameWidget());
    dialog.exec();
}

} // namespace rps
