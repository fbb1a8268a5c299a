#include "document/DocumentFlows.h"

#include "document/FileFailureText.h"
#include "model/ModelBlock.h"
#include "texts/CommonTexts.h"
#include "texts/TextArguments.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace rps {

namespace {

using texts::kErrorCaption;
using texts::kQuestionCaption;
constexpr int kDataFileFilterText = 148;
constexpr int kAskSaveText = 780;
constexpr int kOverwriteText = 781;
constexpr int kFileNameText = 782;
constexpr int kNewQuestionText = 783;

void showError(DocumentSession& session, const std::string& text)
{
    session.dialogs.showMessage(
        {text, session.texts.text(kErrorCaption), MessageButtons::Ok, MessageIcon::Error, false});
}

bool askOkCancel(DocumentSession& session, const std::string& text)
{
    const MessageAnswer answer = session.dialogs.showMessage(
        {text, session.texts.text(kQuestionCaption), MessageButtons::OkCancel, MessageIcon::Warning, true});
    return answer == MessageAnswer::Ok;
}

bool confirmOverwrite(DocumentSession& session, const std::string& fileName)
{
    return askOkCancel(session, session.texts.text(kOverwriteText) + "\n\n" +
                                    session.texts.text(kFileNameText) + " : " + fileName);
}

std::string fileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::string folderOf(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

FileRequest dataFileRequest(DocumentSession& session)
{
    FileRequest request;
    request.filterText = session.texts.text(kDataFileFilterText) + " (*.dat)";
    request.startFolder = session.document.folder;
    request.defaultExtension = "dat";
    request.fileInformation = session.fileSettings.fileInformation;
    return request;
}

// Writes the image to path; true on success, the system's text for the error otherwise.
bool saveTo(DocumentSession& session, const std::string& path)
{
    const SaveResult result =
        saveImage(path, session.image, saveOptionsFor(session.fileSettings, session.installationId));
    if (result.code != kSaveOk) {
        showError(session, withFileFailure(std::generic_category().message(result.systemError), session.texts,
                                           path, 0));
        return false;
    }
    session.image.markClean();
    return true;
}

void showLoadFailure(DocumentSession& session, const LoadResult& result, const std::string& path)
{
    const std::string& text = session.texts.text(loadMessageText(result.code));
    const std::string fileName = fileNameOf(path);
    switch (result.code) {
    case kLoadOtherProgram:
        showError(session, withFileFailure(fillTextArguments(text, {fileName, result.otherProgram}),
                                           session.texts, path, 0));
        break;
    case kLoadNotDataFile:
        showError(session, withFileFailure(fillTextArguments(text, {fileName}), session.texts, path, 0));
        break;
    case kLoadCannotRead:
        showError(session, withFileFailure(text, session.texts, path, result.systemError, true));
        break;
    default:
        showError(session, text);
        break;
    }
}

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

} // namespace

std::string DocumentState::path() const
{
    if (folder.empty())
        return fileName;
    return (std::filesystem::path(folder) / fileName).string();
}

SaveOptions saveOptionsFor(const DataFileSettings& settings, const InstallationId& installationId)
{
    SaveOptions options;
    options.encryptMode = settings.encryptMode;
    if (settings.protectDataFiles)
        options.password = settings.securityPassword;
    options.installationId = installationId;
    return options;
}

std::string dataFileNameFor(const std::string& chosenPath)
{
    if (!chosenPath.empty() && chosenPath.back() == '.')
        return chosenPath + "dat";
    std::string extension = std::filesystem::path(chosenPath).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".dat" ? chosenPath : chosenPath + ".dat";
}

FlowDecision askSaveIfModified(DocumentSession& session)
{
    if (!session.image.isModified())
        return FlowDecision::GoOn;
    const std::string text = session.texts.text(kAskSaveText) + " \"" + session.document.fileName + "\" ?";
    const MessageAnswer answer =
        session.dialogs.showMessage({text, session.texts.text(kQuestionCaption), MessageButtons::YesNoCancel,
                                     MessageIcon::Warning, false});
    switch (answer) {
    case MessageAnswer::Yes:
        // Going on after a cancelled or failed save would throw the edits away unasked.
        return commandSaveAs(session) ? FlowDecision::GoOn : FlowDecision::Abort;
    case MessageAnswer::No:
        return FlowDecision::GoOn;
    default:
        return FlowDecision::Abort;
    }
}

bool commandNew(DocumentSession& session)
{
    if (!askOkCancel(session, session.texts.text(kNewQuestionText)))
        return false;
    if (askSaveIfModified(session) == FlowDecision::Abort)
        return false;
    if (session.closeAllForms)
        session.closeAllForms();
    newImage(session.image, session.installationId);
    session.limits = FrequencyLimits::forModelCode(readModelBlock(session.image.main()).modelCode(),
                                                   session.limits.fineStep);
    session.document.resetName();
    return true;
}

bool commandOpen(DocumentSession& session, const std::optional<std::string>& givenPath)
{
    if (askSaveIfModified(session) == FlowDecision::Abort)
        return false;
    const std::optional<std::string> chosen =
        givenPath ? givenPath : session.dialogs.chooseOpenFile(dataFileRequest(session));
    if (!chosen)
        return false;
    const LoadResult result = loadImage(*chosen, session.image);
    if (result.code != kLoadOk) {
        showLoadFailure(session, result, *chosen);
        return false;
    }
    if (session.closeAllForms)
        session.closeAllForms();
    const ImageCheck check =
        acceptStagedImage(session.image, ImageSource::File, session.installationId, session.limits);
    session.document.folder = folderOf(*chosen);
    if (check.accepted) {
        session.document.fileName = fileNameOf(*chosen);
    } else {
        // The image is now a default one; keeping the file's name would let Save overwrite
        // the newer file with it.
        session.document.resetName();
        showError(session, session.texts.text(check.messageText));
    }
    return true;
}

std::optional<LoadedImage> loadImageApart(DocumentSession& session,
                                          const std::optional<std::string>& givenPath)
{
    const std::optional<std::string> chosen =
        givenPath ? givenPath : session.dialogs.chooseOpenFile(dataFileRequest(session));
    if (!chosen)
        return std::nullopt;
    LoadedImage loaded{std::make_unique<ConfigImage>(), {}, *chosen};
    const LoadResult result = loadImage(*chosen, *loaded.image);
    if (result.code != kLoadOk) {
        showLoadFailure(session, result, *chosen);
        return std::nullopt;
    }
    const ImageCheck check =
        acceptStagedImage(*loaded.image, ImageSource::File, session.installationId, loaded.limits);
    if (!check.accepted) {
        showError(session, session.texts.text(check.messageText));
        return std::nullopt;
    }
    return loaded;
}

bool commandSave(DocumentSession& session)
{
    const std::string path = session.document.path();
    if (fileExists(path) && !confirmOverwrite(session, session.document.fileName))
        return false;
    return saveTo(session, path);
}

bool commandSaveAs(DocumentSession& session)
{
    FileRequest request = dataFileRequest(session);
    request.proposedName = session.document.fileName;
    const std::optional<std::string> chosen = session.dialogs.chooseSaveFile(request);
    if (!chosen)
        return false;
    const std::string path = dataFileNameFor(*chosen);
    // The dialog asked about the name it was given; a name we extended is a different file.
    if (path != *chosen && fileExists(path) && !confirmOverwrite(session, fileNameOf(path)))
        return false;
    if (!saveTo(session, path))
        return false;
    session.document.fileName = fileNameOf(path);
    session.document.folder = folderOf(path);
    return true;
}

bool commandModelChange(DocumentSession& session, uint16_t newModelCode,
                        const ChannelRecheck& recheckChannels)
{
    const ModelChangeKind kind =
        classifyModelChange(readModelBlock(session.image.main()).modelCode(), newModelCode);
    const int question = modelChangeQuestion(kind);
    if (question != 0 && !askOkCancel(session, session.texts.text(question)))
        return false;
    if (session.closeAllForms)
        session.closeAllForms();
    applyModelChange(session.image, newModelCode, session.limits, session.installationId, recheckChannels);
    if (kind != ModelChangeKind::SameCode)
        session.document.resetName();
    return true;
}

ImageCheck acceptStagedImage(ConfigImage& image, ImageSource source, const InstallationId& installationId,
                             FrequencyLimits& limits)
{
    image.restoreSnapshot();
    limits = FrequencyLimits::forModelCode(readModelBlock(image.main()).modelCode(), limits.fineStep);
    const ImageCheck check = checkLoadedImage(image, source, installationId);
    image.markClean();
    return check;
}

} // namespace rps
