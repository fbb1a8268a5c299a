// Read Data from Radio and Write Data to Radio: the progress dialogs around the transfers and
// the replacement of the image after a completed read.
#include "app/CBackupsDialog.h"
#include "app/CMainFrame.h"
#include "app/CTransferDialog.h"
#include "app/ShellController.h"
#include "document/Backups.h"
#include "forms/FieldPlaces.h"
#include "link/Transfers.h"
#include "link/WriteProblems.h"
#include "service/CTuningDataDialog.h"
#include "service/DemoRepeater.h"
#include "texts/CommonTexts.h"

#include "texts/TextArguments.h"

#include <QApplication>

#include <cstring>

namespace rps {

namespace {
using texts::kErrorCaption;
using texts::kWarningCaption;
constexpr int kBackupFailed = 504; // "The backup could not be saved: %s"
} // namespace

int ShellController::readTransfer(const std::function<void(int, int)>& progress, ConfigImage& target)
{
    TransferContext context{
        parts_.link,           parts_.dialogs, parts_.texts, progress, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
    return runReadTransfer(context, target, &lastUnit_);
}

int ShellController::writeTransfer(const std::function<void(int, int)>& progress, bool setClock, bool verify)
{
    TransferContext context{
        parts_.link,           parts_.dialogs, parts_.texts, progress, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
    WriteOptions options;
    options.setClock = setClock;
    options.verify = verify;
    fields::FieldEnv env;
    env.texts = [this](int number) { return parts_.texts.text(number); };
    env.limits = parts_.limits;
    env.decimalSeparator = parts_.decimalSeparator;
    options.fieldName = fieldPlaceLookup(parts_.image, env);
    return runWriteTransfer(context, parts_.image, options);
}

void ShellController::backUp(const ImageAreas& image, const std::string& unit)
{
    const std::string root = backup::backupsRoot();
    const backup::Saved saved =
        backup::saveBackup(root, unit, image, saveOptionsFor(parts_.fileSettings, parts_.installationId),
                           backup::localNow(), parts_.settings.backupPolicy);
    if (!saved.path.empty())
        return;
    MessageRequest request;
    request.text = fillTextArguments(parts_.texts.text(kBackupFailed),
                                     {root + "/" + unit + ": " + std::strerror(saved.systemError)});
    request.caption = parts_.texts.text(kWarningCaption);
    request.icon = MessageIcon::Warning;
    parts_.dialogs.showMessage(request);
}

std::string ShellController::backUpRead(const ConfigImage& image)
{
    const std::string unit = backup::unitName(
        std::span<const uint8_t>(image.snapshot().main).subspan(kModelBlockOffset), lastUnit_);
    backUp(image.snapshot(), unit);
    return unit;
}

void ShellController::commandRead()
{
    DocumentSession document = session();
    if (askSaveIfModified(document) == FlowDecision::Abort)
        return;
    auto inform = [this](int text, int caption) { showText(text, caption, MessageIcon::Information); };
    CReadDialog dialog(
        parts_.texts,
        [this](const CTransferDialog::ProgressFn& progress) { return readTransfer(progress, parts_.image); },
        inform, frameWidget());
    if (dialog.exec() != QDialog::Accepted)
        return; // the working image, its clean state and the open forms are untouched
    // The repeater's image as it came, before the checks repair anything.
    const std::string unit = backUpRead(parts_.image);
    if (frame_ != nullptr)
        frame_->closeAllForms();
    const ImageCheck check =
        acceptStagedImage(parts_.image, ImageSource::Repeater, parts_.installationId, parts_.limits);
    parts_.document.resetName();
    if (!check.accepted)
        showText(check.messageText, kErrorCaption, MessageIcon::Error);
    imageReplaced();
    // What the repeater holds: the bytes read, before the repairs an accepted image gets.
    readOrigin_.set(unit, check.accepted ? &parts_.image.snapshot() : nullptr);
}

void ShellController::commandWrite()
{
    const std::vector<int> problems = findWriteProblems(parts_.image.main(), parts_.image.aux());
    if (!problems.empty()) {
        MessageRequest request;
        request.text = writeProblemsText(problems, parts_.texts);
        request.caption = parts_.texts.text(kErrorCaption);
        request.icon = MessageIcon::Error;
        parts_.dialogs.showMessage(request);
        return;
    }
    auto inform = [this](int text, int caption) { showText(text, caption, MessageIcon::Information); };
    CWriteDialog* current = nullptr;
    CWriteDialog dialog(
        parts_.texts, setClock_,
        [this, &current](const CTransferDialog::ProgressFn& progress) {
            // The image about to be written, filed under the unit it was read from.
            const std::string unit =
                readOrigin_.unit().empty()
                    ? backup::unitName(parts_.image.main().subspan(kModelBlockOffset), {})
                    : readOrigin_.unit();
            backUp(parts_.image.working(), unit);
            return writeTransfer(progress, current != nullptr && current->setClock(),
                                 current == nullptr || current->verify());
        },
        inform, frameWidget(), parts_.settings.verifyWrite);
    current = &dialog;
    dialog.offerPreview(parts_.settings.writePreview,
                        readOrigin_.image() != nullptr
                            ? CWriteDialog::PreviewFn([this] { return writePreview(); })
                            : CWriteDialog::PreviewFn());
    dialog.exec();
    setClock_ = dialog.setClock();
    parts_.settings.verifyWrite = dialog.verify();
    parts_.settings.writePreview = dialog.previewWanted();
}

void ShellController::commandBackups()
{
    CBackupsDialog dialog(parts_.texts, backup::listBackups(backup::backupsRoot()), frameWidget());
    if (dialog.exec() == QDialog::Accepted && !dialog.chosenPath().empty())
        openFile(dialog.chosenPath());
}

// The tuning block is independent of the configuration image: the dialog owns its block. In
// demonstration mode it reads and writes the simulated repeater's block.
void ShellController::commandTuningData()
{
    const std::unique_ptr<DemoRepeater> demo = demoRepeater();
    CTuningDataDialog dialog(
        {parts_.texts, parts_.dialogs, serviceLink(demo), parts_.document.folder, parts_.decimalSeparator},
        frameWidget());
    dialog.exec();
}

} // namespace rps
